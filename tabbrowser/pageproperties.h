#pragma once

#include <QDateTime>
#include <QDialog>
#include <QString>
#include <QUrl>
#include <QVariant>

// What a page tells about itself, for its properties dialog.
struct PageProperties
{
    QString title;
    QUrl address;
    QString mimeType;
    QString characterSet;
    // Invalid when the server did not say.
    QDateTime lastModified;
    QDateTime loaded;
    // The document's size in bytes; -1 when unknown.
    qint64 size = -1;

    // A script that, run in the page, answers what the page itself knows.
    static QString script();
    // `answer` is the script's result; anything else leaves those properties unknown.
    static PageProperties from(const QString &title, const QUrl &address, const QVariant &answer);
};

// The page's properties, one labelled line each, with an OK button. The values can be
// selected and copied.
class PagePropertiesDialog final : public QDialog
{
public:
    PagePropertiesDialog(const PageProperties &page, QWidget *parent);
};
