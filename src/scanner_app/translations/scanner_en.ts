<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Localizable</name>
    <message>
        <source>windowTitle</source>
        <translation>KTR6620LXV Scanner</translation>
    </message>
    <message>
        <source>scanner</source>
        <translation>Scanner</translation>
    </message>
    <message>
        <source>refreshScanner</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>scanSource</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>colorMode</source>
        <translation>Color mode</translation>
    </message>
    <message>
        <source>contenType</source>
        <translation>Content type</translation>
    </message>
    <message>
        <source>resolution</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>combineType</source>
        <translation>Combine pages</translation>
    </message>
    <message>
        <source>pageSize</source>
        <translation>Page size</translation>
    </message>
    <message>
        <source>saveFileType</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>rotateAngle</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>saveFileName</source>
        <translation>File name prefix</translation>
    </message>
    <message>
        <source>saveTo</source>
        <translation>Save to</translation>
    </message>
    <message>
        <source>browser</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>scan</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>AUTO</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>ADF</source>
        <translation>Document feeder</translation>
    </message>
    <message>
        <source>FB</source>
        <translation>Flatbed</translation>
    </message>
    <message>
        <source>CGRAY</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>GRAY256</source>
        <translation>Grayscale</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>Black and white</translation>
    </message>
    <message>
        <source>PHOTO</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>TYPE</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>NoCombine</source>
        <translation>None</translation>
    </message>
    <message>
        <source>CombinHorizontal</source>
        <translation>2 on 1 sheet, horizontal</translation>
    </message>
    <message>
        <source>CombinVertical</source>
        <translation>2 on 1 sheet, vertical</translation>
    </message>
    <message>
        <source>IDCard</source>
        <translation>ID card, both sides</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>A5</source>
        <translation>A5</translation>
    </message>
    <message>
        <source>B5(JIS)</source>
        <translation>B5 (JIS)</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Letter</translation>
    </message>
    <message>
        <source>JPEG</source>
        <translation>JPEG</translation>
    </message>
    <message>
        <source>BMP</source>
        <translation>BMP</translation>
    </message>
    <message>
        <source>PDF</source>
        <translation>PDF</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0°</translation>
    </message>
    <message>
        <source>90</source>
        <translation>90°</translation>
    </message>
    <message>
        <source>180</source>
        <translation>180°</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>info</source>
        <translation>Scan finished</translation>
    </message>
    <message>
        <source>scanPages</source>
        <translation>Scanned </translation>
    </message>
    <message>
        <source>pages</source>
        <translation>page(s).</translation>
    </message>
    <message>
        <source>noScannerFound</source>
        <translation>No scanner found. Check that the scanner is switched on and connected, then press Refresh.</translation>
    </message>
    <message>
        <source>noSaveDir</source>
        <translation>Choose a folder to save the scans in.</translation>
    </message>
    <message>
        <source>noSaveFileName</source>
        <translation>Enter a file name prefix.</translation>
    </message>
    <message>
        <source>cannotCreateReceiveDir</source>
        <translation>Cannot create a folder for this scan in the save folder. Check that the folder exists and that you can write to it.</translation>
    </message>
    <message>
        <source>invalidSaveFileName</source>
        <translation>The file name prefix cannot contain “/” or control characters, and cannot be “.” or “..”.</translation>
    </message>
    <message>
        <source>saveImageError</source>
        <translation>The scanned images could not be saved.</translation>
    </message>
    <message>
        <source>noNeedToCheck</source>
        <translation>The paper source needs no check.</translation>
    </message>
    <message>
        <source>checkScannerError</source>
        <translation>The scanner did not answer as expected.</translation>
    </message>
    <message>
        <source>scannerNetworkError</source>
        <translation>Cannot reach the scanner over the network.</translation>
    </message>
    <message>
        <source>pagesKept</source>
        <translation>Complete pages kept: %1, in %2.</translation>
    </message>
    <message>
        <source>noPaperInADF</source>
        <translation>There is no paper in the document feeder.</translation>
    </message>
    <message>
        <source>paperSourceNotExist</source>
        <translation>The chosen paper source does not exist on this scanner.</translation>
    </message>
    <message>
        <source>cannotChekPaperSource</source>
        <translation>The paper source cannot be checked.</translation>
    </message>
    <message>
        <source>checkPaperSourceError</source>
        <translation>Could not ask the scanner about its paper source.</translation>
    </message>
    <message>
        <source>unexpectError</source>
        <translation>An unexpected error occurred.</translation>
    </message>
    <message>
        <source>scannerBusy</source>
        <translation>The scanner is busy. Try again later.</translation>
    </message>
    <message>
        <source>openError</source>
        <translation>The scanner cannot be opened.</translation>
    </message>
    <message>
        <source>sndSCommandError</source>
        <translation>Could not select the paper source.</translation>
    </message>
    <message>
        <source>sndICommandError</source>
        <translation>Could not send the scan settings.</translation>
    </message>
    <message>
        <source>sndXCommandError</source>
        <translation>Could not start the scan.</translation>
    </message>
    <message>
        <source>receiveImagesError</source>
        <translation>Could not receive the scanned images.</translation>
    </message>
    <message>
        <source>scanFinished</source>
        <translation>The scan is finished.</translation>
    </message>
    <message>
        <source>forceInterruptByCommadR</source>
        <translation>The scan was interrupted.</translation>
    </message>
    <message>
        <source>stoppedByDeviceKey</source>
        <translation>The scan was stopped at the scanner.</translation>
    </message>
    <message>
        <source>paperJunck</source>
        <translation>Paper jam. Clear the jam and scan again.</translation>
    </message>
    <message>
        <source>upperDoorOpen</source>
        <translation>The top cover is open.</translation>
    </message>
    <message>
        <source>cannotScannerByICommandC5</source>
        <translation>The scanner cannot scan with these settings.</translation>
    </message>
    <message>
        <source>scannerMemoryFull</source>
        <translation>The scanner's memory is full.</translation>
    </message>
    <message>
        <source>commandXSyntaxError</source>
        <translation>The scanner did not accept the scan job.</translation>
    </message>
    <message>
        <source>paperTooLong</source>
        <translation>The paper is too long.</translation>
    </message>
    <message>
        <source>runPaperFailed</source>
        <translation>The paper could not be fed.</translation>
    </message>
    <message>
        <source>resetFailed</source>
        <translation>The scanner could not reset.</translation>
    </message>
    <message>
        <source>pushOutPaperFailed</source>
        <translation>The paper could not be ejected.</translation>
    </message>
</context>
</TS>
