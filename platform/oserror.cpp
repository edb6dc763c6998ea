#include "oserror.h"

#include <cerrno>

namespace velorin {

namespace {

struct Reason {
    int errnum;
    const char* text;
};

const Reason kReasons[] = {
    {ENOSPC, "nincs elég szabad hely a lemezen"},
    {EFBIG, "a fájl nagyobb, mint amekkorát a rendszer megenged"},
    {EDQUOT, "elfogyott a felhasználó lemezkvótája"},
    {EACCES, "nincs hozzá jogosultság"},
    {EPERM, "a művelet nem engedélyezett"},
    {EROFS, "a lemez csak olvasható"},
    {ENOENT, "a fájl vagy a mappa nem létezik"},
    {EISDIR, "ez egy mappa, nem fájl"},
    {ENOTDIR, "az útvonal egyik tagja nem mappa"},
    {EEXIST, "már létezik ilyen nevű fájl"},
    {EIO, "a lemez olvasása vagy írása nem sikerült (I/O hiba)"},
    {ENAMETOOLONG, "túl hosszú a fájlnév"},
    {ELOOP, "túl sok egymásra mutató hivatkozás az útvonalban"},
    {EMFILE, "túl sok a megnyitott fájl"},
    {ENFILE, "túl sok a megnyitott fájl a rendszerben"},
    {ENOMEM, "elfogyott a memória"},
    {EBUSY, "az eszköz vagy a fájl foglalt"},
    {ETXTBSY, "a fájlt egy futó program használja"},
    {EXDEV, "a fájl nem helyezhető át másik lemezre"},
    {ENXIO, "az eszköz nem érhető el"},
    {ENODEV, "az eszköz nem érhető el"},
    {EINVAL, "érvénytelen kérés"},
    {EAGAIN, "az erőforrás átmenetileg nem érhető el"},
};

} // namespace

QString osErrorText(int errnum) {
    for (const Reason& r : kReasons)
        if (r.errnum == errnum)
            return QString::fromUtf8(r.text);
    return QStringLiteral("rendszerhiba (%1. számú)").arg(errnum);
}

} // namespace velorin
