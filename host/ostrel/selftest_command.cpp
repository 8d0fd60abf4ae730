#include "host/ostrel/selftest_command.h"

#include "host/api/tev_string_interface.h"
#include "host/api/unit_test.h"
#include "host/ostrel/ostrel_host.h"
#include "platform/text/utf.h"
#include "support/string/tev_string.h"

namespace ostrel {

int RunSelfTest(std::ostream& out, std::ostream& err) {
    OstrelHost host(device::DeviceDescription{}, out);
    IUnitTestRegistry* registry = host.Session().UnitTests();
    LONG objects = 0;
    registry->GetTestCount(&objects);
    int run = 0;
    int failed = 0;
    for (LONG i = 0; i < objects; ++i) {
        ComPtr<IUnitTest> object;
        if (FAILED(registry->GetTest(i, reinterpret_cast<IUnitTest**>(object.OutParam())))) {
            continue;
        }
        object->RegisterTests();
        LONG tests = 0;
        object->GetTestCount(&tests);
        for (LONG t = 0; t < tests; ++t) {
            Tev::String name;
            Tev::String message;
            VARIANT_BOOL passed = 0;
            object->GetTestName(t, name.OutParam());
            object->RunTest(t);
            object->GetLastResult(&passed, message.OutParam());
            ++run;
            out << name.Narrow() << ": " << (passed ? "passed" : "failed");
            if (!message.IsEmpty())
                out << " (" << message.Narrow() << ")";
            out << "\n";
            if (!passed)
                ++failed;
        }
    }
    if (run == 0) {
        err << "ostrel: no self-test is registered\n";
        return 1;
    }
    out << run << " tests, " << failed << " failed\n";
    return failed == 0 ? 0 : 1;
}

}  // namespace ostrel
