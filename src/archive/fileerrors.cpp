#include "archive/fileerrors.h"

#include <cerrno>

#include "platform/diagnosticslog.h"

CFileException CFileException::FromErrno(int error) {
    switch (error) {
        case ENOENT:
            return CFileException(kFileNotFound);
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return CFileException(kBadPath);
        case EACCES:
        case EPERM:
            return CFileException(kAccessDenied);
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return CFileException(kDiskFull);
        default:
            return CFileException(kGeneric, LastErrorText(error));
    }
}
