#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

// The pages built into the programs. The engine asks for them under the built-in
// scheme, and they are served from the program's resources: quillet://<host>/<path> is
// the file <host>/<path> of the pages folder, an address ending in "/" standing for the
// folder's index.html. Pages of one host share quillet://common/ for their stylesheet
// and pictures.
namespace BuiltInPages {

// The start page of both programs.
QUrl home();
// The pages of Quillet's Help menu.
QUrl quickStart();
QUrl help();
// The page of useful links that Lumbra's timer sends the selected tab to.
QUrl links();

struct Resource
{
    QString path;
    QByteArray mimeType;
};

// Where the page at `url` is stored and what kind of file it is; nothing when `url` names
// no built-in file.
std::optional<Resource> resourceFor(const QUrl &url);

} // namespace BuiltInPages
