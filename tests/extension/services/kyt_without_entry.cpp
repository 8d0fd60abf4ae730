// A library that stands where the framework library should be but has no DllGetClassObject.
extern "C" __attribute__((visibility("default"))) int KytVersion() {
    return 1;
}
