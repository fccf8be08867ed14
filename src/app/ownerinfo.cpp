#include "ownerinfo.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "platform/platform.h"

namespace {

struct OwnerField {
    int offset;
    int end;  // the next field's offset, where this one must stop
};

constexpr OwnerField kName{0, 72};
constexpr OwnerField kCompany{72, 144};
constexpr OwnerField kAddress{144, 516};
constexpr OwnerField kTelephone{516, 566};
constexpr OwnerField kEmail{566, COwnerInfo::kOwnerRecordSize};

// The record comes from a settings file anyone may edit, so neither its
// length nor its terminators are trusted.
QString ReadField(const QByteArray& record, OwnerField field) {
    const qsizetype end = std::min<qsizetype>(field.end, record.size());
    QString text;
    for (qsizetype at = field.offset; at + 1 < end; at += 2) {
        const char16_t unit =
            static_cast<char16_t>(static_cast<unsigned char>(record[at]) |
                                  static_cast<unsigned char>(record[at + 1]) << 8);
        if (unit == 0) {
            break;
        }
        text.append(QChar(unit));
    }
    return text;
}

}  // namespace

COwnerInfo COwnerInfo::Read() {
    const std::optional<QByteArray> record = Platform::Get().GetRegistry().ReadBinary(
        RegistryHive::CurrentUser, QString::fromLatin1(kOwnerKey),
        QString::fromLatin1(kOwnerValue));
    if (record) {
        return FromOwnerRecord(*record);
    }
    COwnerInfo owner;
    owner.name = Clean(AccountFullName());
    return owner;
}

COwnerInfo COwnerInfo::FromOwnerRecord(const QByteArray& record) {
    COwnerInfo owner;
    owner.fromRecord = true;
    owner.name = Clean(ReadField(record, kName));
    owner.company = Clean(ReadField(record, kCompany));
    owner.SetAddress(ReadField(record, kAddress));
    owner.telephone = Clean(ReadField(record, kTelephone));
    owner.email = Clean(ReadField(record, kEmail));
    return owner;
}

QString COwnerInfo::AccountFullName() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0) {
        size = 16384;
    }
    std::vector<char> buffer(static_cast<size_t>(size));
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_gecos == nullptr) {
        return {};
    }
    const QString gecos = QString::fromLocal8Bit(found->pw_gecos);
    return gecos.section(QLatin1Char(','), 0, 0);
}

void COwnerInfo::SetAddress(const QString& address) {
    street.clear();
    city.clear();
    state.clear();
    postalCode.clear();
    const qsizetype lineBreak = address.indexOf(QLatin1String("\r\n"));
    if (lineBreak < 0) {
        street = Clean(address);
        return;
    }
    street = Clean(address.left(lineBreak));
    const QString rest = address.mid(lineBreak + 2);
    const qsizetype comma = rest.indexOf(QLatin1String(", "));
    if (comma < 0) {
        city = Clean(rest);
        return;
    }
    city = Clean(rest.left(comma));
    const QString last = rest.mid(comma + 2);
    const qsizetype blank = last.indexOf(QLatin1Char(' '));
    if (blank < 0) {
        state = Clean(last);
        return;
    }
    state = Clean(last.left(blank));
    postalCode = Clean(last.mid(blank + 1));
}

QString COwnerInfo::Clean(const QString& text) {
    QString cleaned = text;
    cleaned.replace(QLatin1String("\r\n"), QLatin1String(" "));
    cleaned.replace(QLatin1Char('\r'), QLatin1Char(' '));
    cleaned.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return cleaned.trimmed();
}
