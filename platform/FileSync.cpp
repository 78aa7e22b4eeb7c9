#include "platform/FileSync.h"

#include <QFile>

#include <unistd.h>

namespace platform {

void syncToDisk(QFile &file)
{
    file.flush();
    const int fd = file.handle();
    if (fd >= 0)
        ::fdatasync(fd);
}

} // namespace platform
