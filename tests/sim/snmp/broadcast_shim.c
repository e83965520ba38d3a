/* Preloaded into snmpd by the discovery tests.
 *
 * snmpd answers a request from the address the request was sent to. For a
 * request to a subnet broadcast address that send fails with ENETUNREACH,
 * and snmpd only falls back to sending from the interface's own address
 * when the error is EINVAL. Reporting the one as the other makes the stock
 * agent answer broadcasts as a printer's agent does.
 *
 * It also loses datagrams on request, as a radio link does: while the file
 * named by SNMP_SHIM_LOSE_NEXT exists, the next datagram that arrives is
 * dropped unread and the file removed. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stddef.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

typedef ssize_t (*sendmsg_fn)(int, const struct msghdr *, int);
typedef ssize_t (*recvmsg_fn)(int, struct msghdr *, int);

static void *real_function(const char *name) {
  void *symbol = dlsym(RTLD_NEXT, name);
  if (symbol == NULL) errno = ENOSYS;
  return symbol;
}

ssize_t sendmsg(int fd, const struct msghdr *message, int flags) {
  static sendmsg_fn real;
  if (real == NULL) {
    /* POSIX lets a data pointer from dlsym hold a function. */
    *(void **)&real = real_function("sendmsg");
    if (real == NULL) return -1;
  }
  ssize_t sent = real(fd, message, flags);
  /* Only sends that chose their source address (control data) are mended. */
  if (sent < 0 && errno == ENETUNREACH && message->msg_controllen != 0) {
    errno = EINVAL;
  }
  return sent;
}

static int is_datagram_socket(int fd) {
  int type = 0;
  socklen_t length = sizeof type;
  return getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &length) == 0 && type == SOCK_DGRAM;
}

ssize_t recvmsg(int fd, struct msghdr *message, int flags) {
  static recvmsg_fn real;
  if (real == NULL) {
    *(void **)&real = real_function("recvmsg");
    if (real == NULL) return -1;
  }
  ssize_t received = real(fd, message, flags);
  const char *switch_file = getenv("SNMP_SHIM_LOSE_NEXT");
  /* Removing the file is what takes the one loss: it happens once. */
  if (received >= 0 && switch_file != NULL && is_datagram_socket(fd) && unlink(switch_file) == 0) {
    /* What snmpd sees of a datagram it never got: nothing to read. */
    errno = EAGAIN;
    return -1;
  }
  return received;
}
