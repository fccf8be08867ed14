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
    // Each separator ends one field; where one is missing, the rest of the
    // text stays in the field being split.
    QString* const fields[] = {&street, &city, &state, &postalCode};
    const QLatin1String separators[] = {QLatin1String("\r\n"), QLatin1String(", "),
                                        QLatin1String(" ")};
    QString rest = address;
    size_t field = 0;
    for (; field < std::size(separators); ++field) {
        const qsizetype cut = rest.indexOf(separators[field]);
        if (cut < 0) {
            break;
        }
        *fields[field] = Clean(rest.left(cut));
        rest = rest.mid(cut + separators[field].size());
    }
    *fields[field] = Clean(rest);
}

QString COwnerInfo::Clean(const QString& text) {
    QString cleaned = text;
    cleaned.replace(QLatin1String("\r\n"), QLatin1String(" "));
    cleaned.replace(QLatin1Char('\r'), QLatin1Char(' '));
    cleaned.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return cleaned.trimmed();
}
