// The settings screen's choices and their interlocks, without widgets: one
// table of change sequences, the choices handed to the model, and the scan
// button's checks.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "scan/message_keys.h"
#include "scanner_app/scan_checks.h"
#include "scanner_app/settings_state.h"
#include "scanner_app/view_keys.h"

namespace scanner_app {
namespace {

// Picker positions by name.
enum Source { AUTO = 0, ADF = 1, FB = 2 };
enum Mode { CGRAY = 0, GRAY256 = 1, TEXT = 2 };
enum Resolution { R200 = 0, R300 = 1, R600 = 2, R1200 = 3 };
enum Combine { NoCombine = 0, Horizontal = 1, Vertical = 2, IDCard = 3 };
enum PageSize { A4 = 0, A5 = 1, B5 = 2, Letter = 3 };
enum SaveType { Image = 0, Pdf = 1 };
enum Rotation { Deg0 = 0, Deg90 = 1, Deg180 = 2 };

struct Step {
  enum Field { source, mode, resolution, combine, pageSize, saveType, rotation } field;
  int value;
};

Step source(int v) { return {Step::source, v}; }
Step mode(int v) { return {Step::mode, v}; }
Step resolution(int v) { return {Step::resolution, v}; }
Step combine(int v) { return {Step::combine, v}; }
Step pageSize(int v) { return {Step::pageSize, v}; }
Step saveType(int v) { return {Step::saveType, v}; }
Step rotation(int v) { return {Step::rotation, v}; }

void apply(SettingsState& state, const Step& step) {
  switch (step.field) {
    case Step::source: return state.setScanSource(step.value);
    case Step::mode: return state.setColorMode(step.value);
    case Step::resolution: return state.setResolution(step.value);
    case Step::combine: return state.setCombineType(step.value);
    case Step::pageSize: return state.setPageSize(step.value);
    case Step::saveType: return state.setSaveType(step.value);
    case Step::rotation: return state.setRotateAngle(step.value);
  }
}

// What the screen holds and shows after a sequence.
struct Look {
  int source = AUTO;
  int resolution = R200;
  int combine = NoCombine;
  int pageSize = A4;
  int saveType = Image;
  int rotation = Deg0;
  bool sourceEnabled = true;
  bool pageSizeEnabled = true;
  bool saveTypeEnabled = true;
  bool rotationShown = true;
  bool fileNameShown = true;
  QList<int> resolutions{R200, R300, R600};
  friend bool operator==(const Look&, const Look&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Look& l) {
    out << "{source " << l.source << ", resolution " << l.resolution << ", combine " << l.combine << ", pageSize "
        << l.pageSize << ", saveType " << l.saveType << ", rotation " << l.rotation << ", enabled source/page/type "
        << l.sourceEnabled << l.pageSizeEnabled << l.saveTypeEnabled << ", shown rotation/name "
        << l.rotationShown << l.fileNameShown << ", resolutions";
    for (const int r : l.resolutions) out << ' ' << r;
    return out << "}";
  }
};

Look lookOf(const SettingsState& s) {
  return {s.scanSource(),        s.resolution(),        s.combineType(),      s.pageSize(),
          s.saveType(),          s.rotateAngle(),       s.scanSourceEnabled(), s.pageSizeEnabled(),
          s.saveTypeEnabled(),   s.rotationShown(),     s.fileNameShown(),    s.resolutionChoices()};
}

struct Case {
  std::string name;
  std::vector<Step> steps;
  Look expected;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

Look with(std::initializer_list<std::function<void(Look&)>> changes) {
  Look look;
  for (const auto& change : changes) change(look);
  return look;
}

const QList<int> kWithFlatbed{R200, R300, R600, R1200};

std::vector<Case> interlockCases() {
  return {
      {"Start", {}, Look{}},
      {"Flatbed1200ThenFeederBackTo200AndNo1200", {source(FB), resolution(R1200), source(ADF)},
       with({[](Look& l) { l.source = ADF; }})},
      {"Flatbed600ThenAutoBackTo200", {source(FB), resolution(R600), source(AUTO)}, Look{}},
      {"Auto300ThenFeederBackTo200", {resolution(R300), source(ADF)}, with({[](Look& l) { l.source = ADF; }})},
      {"FlatbedOffers1200", {source(FB)}, with({[](Look& l) { l.source = FB; l.resolutions = kWithFlatbed; }})},
      {"No1200AwayFromFlatbed", {resolution(R1200)}, Look{}},
      {"IDCardFromFeederLocksFlatbedAndA4KeepsResolution",
       {source(ADF), resolution(R300), pageSize(Letter), combine(IDCard)},
       with({[](Look& l) {
         l.source = FB; l.resolution = R300; l.combine = IDCard; l.sourceEnabled = false;
         l.pageSizeEnabled = false; l.rotationShown = false; l.resolutions = kWithFlatbed;
       }})},
      {"IDCardKeeps1200", {source(FB), resolution(R1200), combine(IDCard)},
       with({[](Look& l) {
         l.source = FB; l.resolution = R1200; l.combine = IDCard; l.sourceEnabled = false;
         l.pageSizeEnabled = false; l.rotationShown = false; l.resolutions = kWithFlatbed;
       }})},
      {"LockedPickersRefuseChoices", {combine(IDCard), source(ADF), pageSize(Letter)},
       with({[](Look& l) {
         l.source = FB; l.combine = IDCard; l.sourceEnabled = false; l.pageSizeEnabled = false;
         l.rotationShown = false; l.resolutions = kWithFlatbed;
       }})},
      {"HorizontalFromLetterSetsA4KeepsSource", {source(ADF), pageSize(Letter), combine(Horizontal)},
       with({[](Look& l) { l.source = ADF; l.combine = Horizontal; l.pageSizeEnabled = false; l.rotationShown = false; }})},
      {"MergeInColourKeepsPdf", {saveType(Pdf), combine(Horizontal)},
       with({[](Look& l) {
         l.saveType = Pdf; l.combine = Horizontal; l.pageSizeEnabled = false; l.rotationShown = false;
         l.fileNameShown = false;
       }})},
      {"MergeInTextResetsPdfAndLocksFileType", {mode(TEXT), saveType(Pdf), combine(Horizontal)},
       with({[](Look& l) {
         l.combine = Horizontal; l.pageSizeEnabled = false; l.saveTypeEnabled = false; l.rotationShown = false;
       }})},
      {"TextAfterMergeKeepsPdf", {saveType(Pdf), combine(Horizontal), mode(TEXT)},
       with({[](Look& l) {
         l.saveType = Pdf; l.combine = Horizontal; l.pageSizeEnabled = false; l.saveTypeEnabled = false;
         l.rotationShown = false; l.fileNameShown = false;
       }})},
      {"HorizontalToVerticalInTextResetsPdf", {saveType(Pdf), combine(Horizontal), mode(TEXT), combine(Vertical)},
       with({[](Look& l) {
         l.combine = Vertical; l.pageSizeEnabled = false; l.saveTypeEnabled = false; l.rotationShown = false;
       }})},
      {"LockedFileTypeRefusesPdf", {mode(TEXT), combine(Horizontal), saveType(Pdf)},
       with({[](Look& l) {
         l.combine = Horizontal; l.pageSizeEnabled = false; l.saveTypeEnabled = false; l.rotationShown = false;
       }})},
      {"IDCardToVerticalFreesSourceKeepsFlatbed", {source(ADF), combine(IDCard), combine(Vertical)},
       with({[](Look& l) {
         l.source = FB; l.combine = Vertical; l.pageSizeEnabled = false; l.rotationShown = false;
         l.resolutions = kWithFlatbed;
       }})},
      {"IDCardToNoCombineRestoresNothing", {source(ADF), pageSize(Letter), combine(IDCard), combine(NoCombine)},
       with({[](Look& l) { l.source = FB; l.resolutions = kWithFlatbed; }})},
      {"TextHidesRotationAndKeepsIt", {rotation(Deg90), mode(TEXT)},
       with({[](Look& l) { l.rotation = Deg90; l.rotationShown = false; }})},
      {"PdfHidesFileName", {saveType(Pdf)}, with({[](Look& l) { l.saveType = Pdf; l.fileNameShown = false; }})},
      {"OutOfListChoicesChangeNothing", {source(3), pageSize(-1), combine(4), saveType(2), rotation(3)}, Look{}},
  };
}

class Interlocks : public ::testing::TestWithParam<Case> {};

TEST_P(Interlocks, SequenceEndsInItsLook) {
  SettingsState state(QStringLiteral("/save"));
  for (const Step& step : GetParam().steps) apply(state, step);
  EXPECT_EQ(lookOf(state), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, Interlocks, ::testing::ValuesIn(interlockCases()),
                         [](const ::testing::TestParamInfo<Case>& tested) { return tested.param.name; });

TEST(SettingsStateChanges, AChoiceAnnouncesItselfOnceWithItsInterlocks) {
  SettingsState state(QStringLiteral("/save"));
  state.setScanSource(ADF);
  state.setPageSize(Letter);
  QSignalSpy changed(&state, &SettingsState::changed);
  state.setCombineType(IDCard);  // also page size, source and resolution rows
  EXPECT_EQ(changed.count(), 1);
}

TEST(SettingsStateChanges, ChoosingTheCurrentRowRunsNothing) {
  SettingsState state(QStringLiteral("/save"));
  state.setScanSource(FB);
  state.setResolution(R1200);
  state.setCombineType(Horizontal);
  state.setPageSize(A4);
  QSignalSpy changed(&state, &SettingsState::changed);
  state.setScanSource(FB);
  state.setCombineType(Horizontal);
  state.setSavePrefix(QStringLiteral("file"));
  state.setSaveDir(QStringLiteral("/save"));
  state.setScannerIndex(0);
  EXPECT_EQ(changed.count(), 0);
  EXPECT_EQ(state.resolution(), R1200);
}

TEST(SettingsStateStart, HoldsTheScreensDefaults) {
  SettingsState state(QStringLiteral("/home/user/Desktop"));
  EXPECT_EQ(state.scannerIndex(), 0);
  EXPECT_EQ(state.colorMode(), CGRAY);
  EXPECT_EQ(state.contentType(), 0);
  EXPECT_EQ(state.savePrefix(), QStringLiteral("file"));
  EXPECT_EQ(state.saveDir(), QStringLiteral("/home/user/Desktop"));
  EXPECT_STREQ(state.imageFormatKey(), "JPEG");
  state.setColorMode(TEXT);
  EXPECT_STREQ(state.imageFormatKey(), "BMP");
}

TEST(ScanChoices, CarryEveryPositionAndThePrefixTwice) {
  SettingsState state(QStringLiteral("/scans/été"));
  state.setColorMode(GRAY256);
  state.setScanSource(FB);
  state.setContentType(2);
  state.setResolution(R1200);
  state.setPageSize(B5);
  state.setSaveType(Pdf);  // hides the prefix row; the prefix still goes
  state.setRotateAngle(Deg180);
  state.setSavePrefix(QStringLiteral("invoice"));
  const scan::UIParams p = state.uiParams("KTR6620LXV");
  EXPECT_EQ(p.scannerName, "KTR6620LXV");
  EXPECT_EQ(p.scanSourceIndex, FB);
  EXPECT_EQ(p.colorModeIndex, GRAY256);
  EXPECT_EQ(p.contentTypeIndex, 2);
  EXPECT_EQ(p.resolutionIndex, R1200);
  EXPECT_EQ(p.pageSizeIndex, B5);
  EXPECT_EQ(p.saveTypeIndex, Pdf);
  EXPECT_EQ(p.rotateAngleIndex, Deg180);
  EXPECT_EQ(p.combineTypeIndex, NoCombine);
  EXPECT_EQ(p.savePrefix, "invoice");
  EXPECT_EQ(p.saveFileName, "invoice");
  EXPECT_EQ(p.saveDir, "/scans/été");
}

// A turn chosen while the rotation row was shown is not sent once the row
// is hidden: ID cards and merged sheets stay upright.
TEST(ScanChoices, HiddenRotationIsSentAsNoTurn) {
  struct Hide {
    const char* name;
    std::vector<Step> steps;
  };
  for (const Hide& hide : {Hide{"IDCard", {combine(IDCard)}}, Hide{"Horizontal", {combine(Horizontal)}},
                           Hide{"TEXT", {mode(TEXT)}}}) {
    SettingsState state(QStringLiteral("/save"));
    state.setRotateAngle(Deg90);
    EXPECT_EQ(state.uiParams("KTR6620LXV").rotateAngleIndex, Deg90);
    for (const Step& step : hide.steps) apply(state, step);
    EXPECT_EQ(state.uiParams("KTR6620LXV").rotateAngleIndex, Deg0) << hide.name;
    EXPECT_EQ(state.rotateAngle(), Deg90) << hide.name << ": the row keeps its choice";
  }
}

struct CheckCase {
  qsizetype scanners;
  int index;
  const char* saveDir;
  const char* prefix;
  const char* expected;  // nullptr: the scan starts
};

TEST(ScanChecks, FirstFailingCheckInOrder) {
  const char* none = nullptr;
  const CheckCase cases[] = {
      {0, 0, "", "", scan::keys::kNoScannerFound},
      {1, 0, "", "", keys::kNoSaveDir},
      {1, 0, "/save", "", keys::kNoSaveFileName},
      {1, 0, "/save", "file", none},
      {2, 1, "/save", "file", none},
      // A position a refresh left beyond the list is no scanner, not a crash.
      {1, 1, "/save", "file", scan::keys::kNoScannerFound},
      {0, 3, "/save", "file", scan::keys::kNoScannerFound},
      {3, -1, "/save", "file", scan::keys::kNoScannerFound},
      // Only emptiness is checked.
      {1, 0, "/no/such/folder", "  ", none},
      {1, 0, "<none>", "file", none},
  };
  for (const CheckCase& c : cases) {
    const char* got = scanBlocker(c.scanners, c.index, QString::fromUtf8(c.saveDir), QString::fromUtf8(c.prefix));
    EXPECT_STREQ(got, c.expected) << c.scanners << " scanners, index " << c.index << ", folder \"" << c.saveDir
                                  << "\", prefix \"" << c.prefix << "\"";
  }
}

}  // namespace
}  // namespace scanner_app
