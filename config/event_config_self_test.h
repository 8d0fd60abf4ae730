// The configuration's built-in self-test, which the host runs through IUnitTest: one test,
// TestSerialize, checks the text round trip and that a changed rule survives it.
#pragma once

#include <string>

#include "config/event_config.h"
#include "support/unit_test/unit_test_base.h"

namespace VavazaZavidi {

class Tarvel_EventConfig : public Tev::UnitTestBase {
public:
    // A new object with count 0; the first AddRef gives it its first reference.
    static Tarvel_EventConfig* Create();

    void TestSerialize();

protected:
    Tarvel_EventConfig() = default;

    void AddTests() override;
    void SetOwner(bool alternate) override;

    // The writer the test uses; a test of the test replaces it.
    virtual bool Write(const EventConfig& config, std::string& text);

private:
    // Throws Tev::UnitTestException naming `line` and `expression` unless `condition` holds.
    static void Check(bool condition, int line, const char16_t* expression);
};

}  // namespace VavazaZavidi
