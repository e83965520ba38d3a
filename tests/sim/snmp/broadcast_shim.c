/* Preloaded into snmpd by the discovery tests.
 *
 * snmpd answers a request from the address the request was sent to. For a
 * request to a subnet broadcast address that send fails with ENETUNREACH,
 * and snmpd only falls back to sending from the interface's own address
 * when the error is EINVAL. Reporting the one as the other makes the stock
 * agent answer broadcasts as a printer's agent does. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stddef.h>
#include <sys/socket.h>

typedef ssize_t (*sendmsg_fn)(int, const struct msghdr *, int);

ssize_t sendmsg(int fd, const struct msghdr *message, int flags) {
  static sendmsg_fn real;
  if (real == NULL) {
    void *symbol = dlsym(RTLD_NEXT, "sendmsg");
    if (symbol == NULL) {
      errno = ENOSYS;
      return -1;
    }
    /* POSIX lets a data pointer from dlsym hold a function. */
    *(void **)&real = symbol;
  }
  ssize_t sent = real(fd, message, flags);
  /* Only sends that chose their source address (control data) are mended. */
  if (sent < 0 && errno == ENETUNREACH && message->msg_controllen != 0) {
    errno = EINVAL;
  }
  return sent;
}
