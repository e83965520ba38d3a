// Status and toner GETs against a real snmpd on 127.0.0.1 (a free port).

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "device/snmp/snmputil.h"
#include "sim/snmp/snmp_agent.h"

namespace device::snmp {
namespace {

using sim::snmp::AgentConfig;
using sim::snmp::SnmpAgent;
using sim::snmp::TempFolder;

constexpr char statusOid[] = "1.3.6.1.4.1.48117.2.7.1.1";
constexpr char tonerOid[] = "1.3.6.1.4.1.48117.2.7.4.1";
const std::string longValue(300, 'b');

class StatusQuery : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (sim::net::runCommand({"snmpd", "-v"}, {}, sim::net::Output::dropAll) != 0) {
      skipReason_ = "snmpd is not installed";
      return;
    }
    AgentConfig config;
    config.objects = {
        {".1.3.6.1.4.1.48117.2.7.1.1", "string", "2009,sleep"},
        {".1.3.6.1.4.1.48117.2.7.4.1", "integer", "85"},
        {".1.3.6.1.4.1.48117.2.7.8.1", "string", longValue},
    };
    try {
      agent_ = sim::snmp::startLoopbackAgent(config, port_);
    } catch (const std::exception& failure) {
      startFailure_ = failure.what();
    }
  }
  static void TearDownTestSuite() { agent_.reset(); }

  void SetUp() override {
    if (!skipReason_.empty()) {
      GTEST_SKIP() << skipReason_;
    }
    ASSERT_TRUE(agent_) << startFailure_;
  }

  static QueryOptions options() {
    QueryOptions o;
    o.port = static_cast<std::uint16_t>(port_);
    o.timeout = std::chrono::milliseconds(500);
    o.retries = 1;
    return o;
  }

  static inline int port_ = -1;
  static inline std::unique_ptr<SnmpAgent> agent_;
  static inline std::string startFailure_;
  static inline std::string skipReason_;
};

struct ValueCase {
  const char* name;
  std::string oid;
  std::size_t bufferSize;
  std::string expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ValueCase& tested, std::ostream* out) { *out << tested.name; }

class StatusValueText : public StatusQuery, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(StatusValueText, IsTheLibrarysRenderingCutToTheCallersBuffer) {
  const ValueCase& c = GetParam();
  EXPECT_EQ(getPrinterStatusBySNMP("127.0.0.1", c.oid, c.bufferSize, options()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Agent, StatusValueText,
    ::testing::Values(
        ValueCase{"StatusStringIsQuoted", statusOid, 300, "STRING: \"2009,sleep\""},
        ValueCase{"TonerIntegerFitsThirtyBytes", tonerOid, 30, "INTEGER: 85"},
        ValueCase{"LeadingDotNamesTheSameObject", ".1.3.6.1.4.1.48117.2.7.4.1", 30,
                  "INTEGER: 85"},
        ValueCase{"UnservedInstanceUnderThePassTree", "1.3.6.1.4.1.48117.2.7.9.1", 300,
                  "No Such Instance currently exists at this OID"},
        ValueCase{"UnservedInstanceCutToTheTonerBuffer", "1.3.6.1.4.1.48117.2.7.9.1", 30,
                  "No Such Instance currently ex"},
        ValueCase{"ObjectOutsideEveryTree", "1.3.6.1.4.1.48118.1.1", 300,
                  "No Such Object available on this agent at this OID"},
        ValueCase{"LongValueStopsAt199Characters", "1.3.6.1.4.1.48117.2.7.8.1", 300,
                  ("STRING: \"" + longValue).substr(0, 199)},
        ValueCase{"LongValueCutToTheTonerBuffer", "1.3.6.1.4.1.48117.2.7.8.1", 30,
                  ("STRING: \"" + longValue).substr(0, 29)}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(StatusQuery, LogsTheQueryAndTheValue) {
  ::testing::internal::CaptureStdout();
  getPrinterStatusBySNMP("127.0.0.1", tonerOid, 30, options());
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(log.find(" run in getPrinterStatusBySNMP  and ip =127.0.0.1 oid=1.3.6.1.4.1.48117.2.7.4.1\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("get status info : INTEGER: 85\n"), std::string::npos) << log;
}

TEST_F(StatusQuery, AddressWhereNothingAnswersGivesError) {
  const sim::snmp::SilentLoopbackPort silent;
  ASSERT_GT(silent.port(), 0);
  QueryOptions dead = options();
  dead.port = static_cast<std::uint16_t>(silent.port());
  dead.timeout = std::chrono::milliseconds(100);
  EXPECT_EQ(getPrinterStatusBySNMP("127.0.0.1", statusOid, 300, dead), "error");
}

TEST_F(StatusQuery, TextThatIsNoIPv4AddressGivesErrorWithoutAnyLookup) {
  EXPECT_EQ(getPrinterStatusBySNMP("printer.invalid", statusOid, 300, options()), "error");
  EXPECT_EQ(getPrinterStatusBySNMP("", statusOid, 300, options()), "error");
}

TEST_F(StatusQuery, IdentifierThatDoesNotParseGivesErrorNotAnEmptyText) {
  EXPECT_EQ(getPrinterStatusBySNMP("127.0.0.1", "1.3.6.x.4", 300, options()), "error");
}

// Other threads (Qt's, GLib's) read the environment at any time: the
// first SNMP call of a process, which sets the library up, must not move
// the environment's array under them. ctest runs every test in a process of
// its own, so the call below is that first one.
TEST_F(StatusQuery, FirstCallLeavesTheEnvironmentArrayInPlace) {
  char** const before = environ;
  EXPECT_EQ(getPrinterStatusBySNMP("127.0.0.1", tonerOid, 30, options()), "INTEGER: 85");
  EXPECT_EQ(environ, before);
}

// Environment variables set for the life of the object; what was there
// before comes back afterwards.
class EnvironmentOverride {
 public:
  EnvironmentOverride() = default;
  EnvironmentOverride(const EnvironmentOverride&) = delete;
  EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;
  ~EnvironmentOverride() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) {
        ::setenv(it->first.c_str(), it->second->c_str(), 1);
      } else {
        ::unsetenv(it->first.c_str());
      }
    }
  }

  void set(const std::string& name, const std::string& value) {
    const char* before = std::getenv(name.c_str());
    saved_.emplace_back(name, before != nullptr ? std::optional<std::string>(before) : std::nullopt);
    ::setenv(name.c_str(), value.c_str(), 1);
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// What a user may have lying about: an snmp.conf with a client address that
// no interface has (every session would fail to open), and a MIB that gives
// the toner object a unit (its text would end in " percent"). The library is
// set up by the first SNMP call of a process, and ctest runs every test in
// a process of its own, so the call below is that first one.
TEST_F(StatusQuery, ReadsNoConfigurationOrMibFileOfTheUser) {
  const TempFolder home;
  const std::filesystem::path dotSnmp = home.path() / ".snmp";
  std::filesystem::create_directories(dotSnmp / "mibs");
  std::ofstream(dotSnmp / "snmp.conf") << "clientaddr 192.0.2.99\n";
  const std::filesystem::path mib = dotSnmp / "mibs" / "KTR-TONER-MIB.txt";
  std::ofstream(mib) << "KTR-TONER-MIB DEFINITIONS ::= BEGIN\n"
                        "ktr OBJECT IDENTIFIER ::= { iso 3 6 1 4 1 48117 }\n"
                        "toner OBJECT-TYPE\n"
                        "    SYNTAX INTEGER\n"
                        "    UNITS \"percent\"\n"
                        "    MAX-ACCESS read-only\n"
                        "    STATUS current\n"
                        "    DESCRIPTION \"toner left\"\n"
                        "    ::= { ktr 2 7 4 1 }\n"
                        "END\n";
  EnvironmentOverride environment;
  environment.set("HOME", home.path().string());
  environment.set("SNMPCONFPATH", dotSnmp.string());
  environment.set("MIBS", "ALL");
  environment.set("MIBDIRS", (dotSnmp / "mibs").string());
  environment.set("MIBFILES", mib.string());

  EXPECT_EQ(getPrinterStatusBySNMP("127.0.0.1", tonerOid, 30, options()), "INTEGER: 85");
}

}  // namespace
}  // namespace device::snmp
