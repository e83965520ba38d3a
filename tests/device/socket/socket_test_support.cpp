#include "socket_test_support.h"

#include "device/socket/ysocket.h"

namespace device::socket::testing {

std::string text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

void QuickPacing::SetUp() {
  setSocketPacing({std::chrono::milliseconds(5), std::chrono::milliseconds(300)});
}

void QuickPacing::TearDown() { setSocketPacing({}); }

}  // namespace device::socket::testing
