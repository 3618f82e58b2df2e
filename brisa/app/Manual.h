#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include "form/MainForm.h"

namespace brisa::manual {

// The user manual: one HTML file with its pictures, next to the program. "A&yuda" opens it at
// its contents, F1 at the section about the page the main window shows.
inline constexpr const char* FileName = "Brisa-ayuda.html";
inline constexpr const char* Contents = "contenido";

QString path(const QString& appFolder);
// The manual at a section (no section: its beginning).
QUrl url(const QString& appFolder, const QString& anchor = QString());
// The section about the page the main window shows; on the network page, about its inner
// page (Ethernet, the e-mail accounts, their configuration, the mail check).
QString pageAnchor(const form::MainForm& f);
// Every section pageAnchor can name.
QStringList pageAnchors();

}  // namespace brisa::manual
