// Opening a plain file where the C library speaks POSIX: every build but the Windows program.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/platform.h"

// Opened without waiting, so that a pipe or device with nothing to say cannot hold up the
// caller; anything but a regular file is closed again at once.
std::FILE* OpenPlainFile(const char* name) {
    int descriptor = open(name, O_RDONLY | O_NONBLOCK);
    if (descriptor < 0) {
        return nullptr;
    }
    struct stat status;
    std::FILE* file = nullptr;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        file = fdopen(descriptor, "rb");
    }
    if (!file) {
        close(descriptor);
    }
    return file;
}
