// The owner of the precompiled header the test executables share; it runs no test.
int main() {
    return 0;
}
