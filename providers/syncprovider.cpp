// The device side of desktop synchronisation. The program only checks that
// this library loads and reports the program's own version; the transfer
// itself is the synchronisation service's business.

#ifndef OUTLAYSHEET_VERSION_TEXT
#error "OUTLAYSHEET_VERSION_TEXT must name the program's version"
#endif

extern "C" __attribute__((visibility("default"))) const char* DllGetVersion() {
    return OUTLAYSHEET_VERSION_TEXT;
}
