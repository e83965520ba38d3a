#include <cstdio>
#include <string>

#include "device/snmp/render.h"
#include "device/snmp/session.h"
#include "device/snmp/snmp_library.h"
#include "device/snmp/snmputil.h"

namespace device::snmp {
namespace {

// The value texts of an answer, each written over the start of the one
// before, as they would land in one zero-filled buffer.
std::string valuesOf(const netsnmp_pdu& response) {
  std::string text;
  for (const netsnmp_variable_list* variable = response.variables; variable != nullptr;
       variable = variable->next_variable) {
    const std::string rendered = clipped(valueText(*variable), maxValueTextLength);
    writeOverStart(text, rendered);
    std::printf("get status info : %s\n", rendered.c_str());
  }
  return text;
}

std::string query(const std::string& ip, const std::string& objectId,
                  const QueryOptions& options) {
  // Only a dotted address: anything else would be looked up by name, with
  // a wait no caller has asked for.
  if (!parseDotted(ip)) {
    std::fprintf(stderr, "ack: not an IPv4 address: %s\n", ip.c_str());
    return std::string(failureText);
  }

  V2cSettings v2c(ip + ":" + std::to_string(options.port));
  netsnmp_session& settings = v2c.get();
  if (options.timeout) {
    settings.timeout = static_cast<long>(options.timeout->count());
  }
  if (options.retries) {
    settings.retries = *options.retries;
  }

  void* opened = snmp_sess_open(&settings);
  if (opened == nullptr) {
    snmp_sess_perror("ack", &settings);
    return std::string(failureText);
  }
  const OpenSession session(opened);

  oid name[MAX_OID_LEN];
  std::size_t nameLength = MAX_OID_LEN;
  if (read_objid(objectId.c_str(), name, &nameLength) == 0) {
    // Asking for nothing would get an empty answer that reads as success.
    snmp_perror("snmpgetstatus");
    return std::string(failureText);
  }
  netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GET);
  snmp_add_null_var(request, name, nameLength);

  netsnmp_pdu* response = nullptr;
  const int status = snmp_sess_synch_response(session.get(), request, &response);
  std::string text;
  if (status == STAT_SUCCESS && response != nullptr && response->errstat == SNMP_ERR_NOERROR) {
    text = valuesOf(*response);
  } else if (status == STAT_SUCCESS && response != nullptr) {
    std::printf("error in packet. and reason is :%s\n", snmp_errstring(static_cast<int>(response->errstat)));
  } else if (status == STAT_TIMEOUT) {
    std::fputs("error in timeout\n", stdout);
  } else {
    snmp_sess_perror("snmpgetstatus", snmp_sess_session(session.get()));
  }
  if (response != nullptr) {
    snmp_free_pdu(response);
  }
  // An answer without any binding carries no value either.
  return text.empty() ? std::string(failureText) : text;
}

}  // namespace

std::string getPrinterStatusBySNMP(std::string_view ip, std::string_view oid,
                                   std::size_t bufferSize, const QueryOptions& options) {
  const std::string address(ip);
  const std::string objectId(oid);
  std::printf(" run in getPrinterStatusBySNMP  and ip =%s oid=%s\n", address.c_str(),
              objectId.c_str());
  ensureSnmpLibrary();
  return fitToBuffer(query(address, objectId, options), bufferSize);
}

}  // namespace device::snmp
