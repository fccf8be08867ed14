// A provider library of another build. Without TEST_PROVIDER_VERSION it
// exports no version at all.

#ifdef TEST_PROVIDER_VERSION
extern "C" __attribute__((visibility("default"))) const char* DllGetVersion() {
    return TEST_PROVIDER_VERSION;
}
#else
extern "C" __attribute__((visibility("default"))) int NotTheVersion() {
    return 0;
}
#endif
