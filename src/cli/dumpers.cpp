#include "dumpers.h"

#include <map>

namespace {

std::map<quint32, Dumper>& Registry() {
    static std::map<quint32, Dumper> dumpers;
    return dumpers;
}

}  // namespace

bool RegisterDumper(quint32 fileType, Dumper dumper) {
    Registry()[fileType] = std::move(dumper);
    return true;
}

const Dumper* FindDumper(quint32 fileType) {
    const auto found = Registry().find(fileType);
    return found == Registry().end() ? nullptr : &found->second;
}
