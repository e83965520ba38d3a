#include "device/snmp/snmp_library.h"

#include <cstdlib>
#include <mutex>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace device::snmp {
namespace {

// The environment variables through which the library would load MIB
// modules and files.
constexpr const char* kMibVariables[] = {"MIBS", "MIBDIRS", "MIBFILES"};

// Setting a variable the environment lacks may move the environment's array
// and free the old one under a getenv() on another thread (Qt's and GLib's
// threads read the environment at any time). So the names go in as the
// program loads, while it has a single thread, keeping any value they have;
// the set-up below then only replaces values, and glibc keeps every value
// string it ever held, so a reader is never left with a freed one.
[[gnu::constructor]] void addMibVariables() {
  for (const char* name : kMibVariables) {
    ::setenv(name, "", 0);
  }
}

void setLibraryFlag(int which, bool on) {
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, which, on ? 1 : 0);
}

// The readers parse our value and object-identifier texts ("INTEGER: 85",
// "STRING: \"2009,...\"", "iso.3.6.1.4.1...."), so nothing a user's snmp.conf
// or environment could switch may stay to chance.
void pinOutputOptions() {
  for (int flag : {NETSNMP_DS_LIB_QUICK_PRINT, NETSNMP_DS_LIB_QUICKE_PRINT,
                   NETSNMP_DS_LIB_PRINT_BARE_VALUE, NETSNMP_DS_LIB_PRINT_NUMERIC_ENUM,
                   NETSNMP_DS_LIB_PRINT_NUMERIC_OIDS, NETSNMP_DS_LIB_PRINT_FULL_OID,
                   NETSNMP_DS_LIB_PRINT_UCD_STYLE_OID, NETSNMP_DS_LIB_DONT_BREAKDOWN_OIDS,
                   NETSNMP_DS_LIB_EXTENDED_INDEX, NETSNMP_DS_LIB_NUMERIC_TIMETICKS,
                   NETSNMP_DS_LIB_ESCAPE_QUOTES, NETSNMP_DS_LIB_PRINT_HEX_TEXT,
                   NETSNMP_DS_LIB_DONT_PRINT_UNITS, NETSNMP_DS_LIB_NO_DISPLAY_HINT,
                   NETSNMP_DS_LIB_2DIGIT_HEX_OUTPUT}) {
    setLibraryFlag(flag, false);
  }
  netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_OID_OUTPUT_FORMAT,
                     NETSNMP_OID_OUTPUT_MODULE);
  netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_STRING_OUTPUT_FORMAT, 0);
  netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_HEX_OUTPUT_LENGTH, 16);
}

}  // namespace

void ensureSnmpLibrary() {
  static std::once_flag once;
  std::call_once(once, [] {
    // No MIB modules: the agent's objects are private and the host has no
    // MIB files to speak of (loading the default list only prints
    // "Cannot find module" lines). The library reads these environment
    // variables over anything set here, so they are emptied; this runs
    // once, on the first SNMP call of the process.
    for (const char* name : kMibVariables) {
      ::setenv(name, "", 1);
    }
    netsnmp_set_mib_directory("");
    // No snmp.conf of the user or the system, no persistent state: the
    // client's behaviour must not depend on what lies around on the host.
    setLibraryFlag(NETSNMP_DS_LIB_DONT_READ_CONFIGS, true);
    setLibraryFlag(NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, true);
    setLibraryFlag(NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, true);
    setLibraryFlag(NETSNMP_DS_LIB_DONT_PERSIST_STATE, true);
    setLibraryFlag(NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, true);
    // The application name only chooses configuration file names, and none
    // are read, so one name serves discovery and status queries alike.
    init_snmp("snmpapp");
    pinOutputOptions();
  });
}

}  // namespace device::snmp
