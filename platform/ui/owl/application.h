// TApplication: the user-interface library's application object (name, main window,
// language), and the process-wide dictionary through which code finds it.
#pragma once

#include <vector>

#include "platform/module/resource.h"
#include "platform/ui/owl/module.h"

namespace owl {

class TWindow;

class TApplication : public TModule {
public:
    // The application of the executable; its language is what resource loading asks for first
    // while the application exists.
    explicit TApplication(const char16_t* name, LANGID language = kLanguageEnglishUs);
    ~TApplication() override;

    TWindow* GetMainWindow() const { return mainWindow_; }
    void SetMainWindow(TWindow* window) { mainWindow_ = window; }
    LANGID GetLangId() const { return language_; }
    void SetLangId(LANGID language);

private:
    TWindow* mainWindow_ = nullptr;
    LANGID language_;
};

class TAppDictionary {
public:
    // The process's application (the latest one made that still exists), or null.
    TApplication* GetApplication() const;
    void Add(TApplication* application);
    void Remove(TApplication* application);

private:
    std::vector<TApplication*> applications_;
};

TAppDictionary& OWLGetAppDictionary();

}  // namespace owl
