#pragma once
#include <QString>
#include <QStringList>

#include "ports/translator_port.h"
#include "text/language.h"

namespace velmora::ui {

// The core's texts through Qt's translation system: the "Velmora" context of
// the catalogue the application has loaded. With none loaded every text has
// no translation, and the core shows its own.
class QtTranslator : public Translator {
public:
    std::optional<std::string> translation(const std::string& source) const override;
};

// A caption of the window's own widgets and of its menus, in the run's language.
QString windowText(const char* source);
// The menus' captions: a level or a time control ("LEVEL3", "3+2") has no
// translation and stays as it is.
QString menuText(const QString& source);

// Loads the language's catalogue (velmora_en.qm) from the first of the
// folders that holds it into the application. True when the language needs
// none (Japanese) or it was loaded.
bool loadCatalogue(Language language, const QStringList& folders);

}  // namespace velmora::ui
