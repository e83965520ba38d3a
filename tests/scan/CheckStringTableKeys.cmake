# lupdate, as a translator runs it over the scan engine, must find every key
# the engine raises in the "Localizable" context the model looks texts up in.
execute_process(COMMAND ${LUPDATE} -silent ${SOURCE_DIR} -ts ${OUT_DIR}/scan_keys.ts
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed: ${status}")
endif()
file(READ ${OUT_DIR}/scan_keys.ts table)
string(FIND "${table}" "<name>Localizable</name>" context)
if(context EQUAL -1)
  message(FATAL_ERROR "no Localizable context in the string table")
endif()
foreach(key IN ITEMS
    error info scanPages pages ok noScannerFound cannotCreateReceiveDir invalidSaveFileName
    noNeedToCheck checkScannerError scannerNetworkError noPaperInADF paperSourceNotExist
    cannotChekPaperSource unexpectError saveImageError scannerBusy openError sndSCommandError
    sndICommandError sndXCommandError receiveImagesError pagesKept
    scanFinished forceInterruptByCommadR stoppedByDeviceKey paperJunck upperDoorOpen
    cannotScannerByICommandC5 scannerMemoryFull commandXSyntaxError paperTooLong runPaperFailed
    resetFailed pushOutPaperFailed)
  string(FIND "${table}" "<source>${key}</source>" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "key not in the string table: ${key}")
  endif()
endforeach()
