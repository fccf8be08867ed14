#include "installation.h"

#include <elf.h>
#include <link.h>

#include <QFileInfo>
#include <cstring>

#include "platform.h"

namespace {

const QString kAppKey = QStringLiteral("Software\\Apps\\Outlaysheet");
const QString kOldAppKey = QStringLiteral("Software\\Apps\\Tillhouse Outlaysheet");
const QString kAppPathValue = QStringLiteral("App Path");

constexpr quint32 kVersionSignature = 0xFEEF04BD;
constexpr char kNoteName[] = "Outlaysheet";

struct FixedVersion {
    quint32 fileVersionMs = 0;
    quint32 fileVersionLs = 0;
};

struct Search {
    QString module;  // empty: the main program
    std::optional<FixedVersion> found;
};

// The version block inside our note: scanned for the signature on 4-byte
// steps, the file version words follow the structure version.
std::optional<FixedVersion> ScanDescriptor(const unsigned char* desc, size_t size) {
    for (size_t offset = 0; offset + 16 <= size; offset += 4) {
        quint32 word = 0;
        std::memcpy(&word, desc + offset, 4);
        if (word == kVersionSignature) {
            FixedVersion version;
            std::memcpy(&version.fileVersionMs, desc + offset + 8, 4);
            std::memcpy(&version.fileVersionLs, desc + offset + 12, 4);
            return version;
        }
    }
    return std::nullopt;
}

std::optional<FixedVersion> ScanNotes(const dl_phdr_info* info) {
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = info->dlpi_phdr[i];
        if (header.p_type != PT_NOTE) {
            continue;
        }
        const auto* at = reinterpret_cast<const unsigned char*>(info->dlpi_addr + header.p_vaddr);
        const unsigned char* end = at + header.p_memsz;
        while (at + sizeof(ElfW(Nhdr)) <= end) {
            ElfW(Nhdr) note;
            std::memcpy(&note, at, sizeof note);
            const unsigned char* name = at + sizeof note;
            const unsigned char* desc = name + ((note.n_namesz + 3) & ~3u);
            const unsigned char* next = desc + ((note.n_descsz + 3) & ~3u);
            if (next > end) {
                break;
            }
            if (note.n_namesz == sizeof kNoteName &&
                std::memcmp(name, kNoteName, sizeof kNoteName) == 0) {
                if (auto version = ScanDescriptor(desc, note.n_descsz)) {
                    return version;
                }
            }
            at = next;
        }
    }
    return std::nullopt;
}

int VisitModule(dl_phdr_info* info, size_t, void* data) {
    auto* search = static_cast<Search*>(data);
    const QString name = QString::fromLocal8Bit(info->dlpi_name);
    const bool isMain = name.isEmpty();
    bool wanted = false;
    if (search->module.isEmpty()) {
        wanted = isMain;
    } else if (!isMain) {
        wanted = search->module.contains(QLatin1Char('/'))
                     ? QFileInfo(name).canonicalFilePath() ==
                           QFileInfo(search->module).canonicalFilePath()
                     : QFileInfo(name).fileName() == search->module;
    }
    if (wanted) {
        search->found = ScanNotes(info);
        return 1;
    }
    return 0;
}

}  // namespace

QString GetAppPath() {
    const Registry& registry = Platform::Get().GetRegistry();
    for (const QString& key : {kAppKey, kOldAppKey}) {
        const QString path =
            registry.ReadString(RegistryHive::LocalMachine, key, kAppPathValue, {});
        if (!path.isEmpty()) {
            return path;
        }
    }
    return {};
}

bool SetAppPath(const QString& folder) {
    return Platform::Get().GetRegistry().WriteString(RegistryHive::LocalMachine, kAppKey,
                                                     kAppPathValue, folder);
}

QString GetModuleVersion(const QString& module) {
    Search search{module, std::nullopt};
    dl_iterate_phdr(VisitModule, &search);
    if (!search.found) {
        return {};
    }
    const FixedVersion& v = *search.found;
    return QStringLiteral("%1.%2.%3.%4")
        .arg(v.fileVersionMs >> 16)
        .arg(v.fileVersionMs & 0xFFFF)
        .arg(v.fileVersionLs >> 16)
        .arg(v.fileVersionLs & 0xFFFF);
}

QString PlatformEditionFor(int majorVersion, const QString& platformType) {
    const bool pocketPc = platformType == QLatin1String("PocketPC");
    if (majorVersion == 3) {
        return pocketPc ? QStringLiteral("Pocket PC 2002") : QStringLiteral("Pocket PC 2000");
    }
    if (majorVersion == 4 && pocketPc) {
        return QStringLiteral("Pocket PC 2003");
    }
    return QStringLiteral("Unknown");
}

QString GetPlatformEdition() {
    // There is no handheld operating-system version to read on Linux; an
    // unreadable version is "Unknown".
    return PlatformEditionFor(0, QString());
}
