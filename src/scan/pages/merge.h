#pragma once
// Merging the page files of a scan two to a sheet.

#include <QImage>
#include <QRect>
#include <QSize>

#include "scan/result.h"
#include "scan/scan_param.h"

namespace scan {

// The sheet is w x h pixels when `oriation` is true, h x w when false; empty
// when w or h is no page side.
QSize sheetSize(bool oriation, const ScanParam& param);

// Where a page lies on the sheet, in the picture's own coordinates (origin top
// left, y down). `oriation` true: the odd page fills the lower half, the even
// page the upper half, each of height H / 2 (rounded down, so an odd H leaves
// the top row white); false: the odd page the left half, the even page the
// right half, each of width W / 2.
QRect halfRect(bool oriation, bool oddPage, QSize sheet);

// Writes a finished sheet picture for sheet number `pageNo` under its staging
// name (see stagingFileName); combineImage puts it in place. 1-bit BMP for
// BMP page files, else JPEG.
ResultPair save2Images(const QImage& image, long long pageNo, const ScanParam& param);

// Reads the page files 1..pages (filePath-%04d.jpg, or filePath-%04d.bmp for
// 1-bit BMP pages), draws them two by two stretched onto white sheets and
// replaces them by sheet files 1..(pages + 1) / 2 of the same naming. The page
// files are replaced only once every sheet is written: on any failure they
// stay as they were and the result is (false, "saveImageError").
ResultPair combineImage(long long pages, bool oriation, const ScanParam& param);

}  // namespace scan
