#include "platform/ui/owl/application.h"

#include <algorithm>

#include "platform/module/application_language.h"

namespace owl {

TApplication::TApplication(const char16_t* name, LANGID language)
    : TModule(name, static_cast<HINSTANCE>(nullptr)), language_(language) {
    OWLGetAppDictionary().Add(this);
    SetApplicationLanguage(language_);
}

TApplication::~TApplication() {
    OWLGetAppDictionary().Remove(this);
    if (TApplication* remaining = OWLGetAppDictionary().GetApplication()) {
        SetApplicationLanguage(remaining->GetLangId());
    } else {
        ClearApplicationLanguage();
    }
}

void TApplication::SetLangId(LANGID language) {
    language_ = language;
    if (OWLGetAppDictionary().GetApplication() == this)
        SetApplicationLanguage(language_);
}

TApplication* TAppDictionary::GetApplication() const {
    return applications_.empty() ? nullptr : applications_.back();
}

void TAppDictionary::Add(TApplication* application) {
    applications_.push_back(application);
}

void TAppDictionary::Remove(TApplication* application) {
    applications_.erase(std::remove(applications_.begin(), applications_.end(), application),
                        applications_.end());
}

TAppDictionary& OWLGetAppDictionary() {
    static TAppDictionary dictionary;
    return dictionary;
}

}  // namespace owl
