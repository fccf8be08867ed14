#include "dumpers.h"

#include <map>

namespace {

// One table of dumpers for each kind of dumper, filled before main runs.
template <typename D>
std::map<quint32, D>& Registry() {
    static std::map<quint32, D> dumpers;
    return dumpers;
}

template <typename D>
const D* Find(quint32 fileType) {
    const auto found = Registry<D>().find(fileType);
    return found == Registry<D>().end() ? nullptr : &found->second;
}

}  // namespace

bool RegisterDumper(quint32 fileType, Dumper dumper) {
    Registry<Dumper>()[fileType] = std::move(dumper);
    return true;
}

const Dumper* FindDumper(quint32 fileType) {
    return Find<Dumper>(fileType);
}

bool RegisterStreamDumper(quint32 fileType, StreamDumper dumper) {
    Registry<StreamDumper>()[fileType] = std::move(dumper);
    return true;
}

const StreamDumper* FindStreamDumper(quint32 fileType) {
    return Find<StreamDumper>(fileType);
}
