#include "showpic.h"

#include "dialogface.h"

#include "button.h"
#include "picturebox.h"
#include "placement.h"
#include "twips.h"
#include "usermessage.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QScreen>
#include <QStandardPaths>

#include <algorithm>
#include <array>

namespace {

const QString Title = QStringLiteral("图像浏览器");

// The most a decoded picture may take. A picture declaring more (a small file can
// declare 30000 x 30000 pixels) is refused before anything is allocated for it.
constexpr int MostPictureMegabytes = 1024;

struct SaveForm
{
    QString filter;
    QByteArray format;
    QStringList suffixes;
};

const std::array<SaveForm, 3> &saveForms()
{
    static const std::array<SaveForm, 3> forms{{
        {QStringLiteral("PNG 图像 (*.png)"), "png", {QStringLiteral("png")}},
        {QStringLiteral("JPEG 图像 (*.jpg *.jpeg)"),
         "jpeg",
         {QStringLiteral("jpg"), QStringLiteral("jpeg")}},
        {QStringLiteral("BMP 图像 (*.bmp)"), "bmp", {QStringLiteral("bmp")}},
    }};
    return forms;
}

// The form the chosen name asks for; PNG for any other name.
const SaveForm &formOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const SaveForm &form : saveForms()) {
        if (form.suffixes.contains(suffix))
            return form;
    }
    return saveForms().front();
}

// The picture in `encoded`; a null image and `problem` set when there is none to show.
QImage decode(const QByteArray &encoded, const QByteArray &format, QString *problem)
{
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(MostPictureMegabytes);
    const QSize size = reader.size();
    constexpr qint64 BytesPerPixel = 4;
    if (size.isValid() && qint64(size.width()) * size.height() * BytesPerPixel >
                              qint64(MostPictureMegabytes) * 1024 * 1024) {
        *problem = QStringLiteral("这张图片太大（%1 × %2 像素），无法显示。")
                       .arg(size.width())
                       .arg(size.height());
        return {};
    }
    QImage picture = reader.read();
    if (picture.isNull()) {
        *problem = QStringLiteral("无法显示拖放的图片：它已损坏，或者不是能识别的图片格式。");
    }
    return picture;
}

} // namespace

ShowPic::ShowPic()
    : QWidget(nullptr, UnownedDialogFlags)
    , m_shown(new PictureBox(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Title);
    m_shown->setObjectName(QStringLiteral("Picture1"));
    m_shown->setBackgroundColor(palette().color(QPalette::Base));

    const auto addButton = [this](const QString &name, const QString &caption, double left,
                                  auto action) {
        auto *button = new Button(this);
        button->setObjectName(name);
        button->setCaption(caption);
        button->move(Twips::toPixels(left, 120));
        connect(button, &Button::Click, this, action);
    };
    addButton(QStringLiteral("Button1"), QStringLiteral("复制"), 240, &ShowPic::copy);
    addButton(QStringLiteral("Button2"), QStringLiteral("保存"), 1680, &ShowPic::save);
    addButton(QStringLiteral("Button3"), QStringLiteral("关闭"), 3120, &QWidget::close);
    fit();
}

void ShowPic::setPicture(const QImage &picture)
{
    m_picture = picture;
    fit();
}

void ShowPic::fit()
{
    // The most the interior may take: the screen's available area less the frame.
    const QSize frame = frameGeometry().size() - size();
    const QSizeF room = Twips::fromPixels(screen()->availableGeometry().size() - frame);
    const QSizeF most(room.width() - 2 * Margin, room.height() - StripHeight - 2 * Margin);
    const QSizeF natural = Twips::fromPixels(m_picture.size());
    const QSizeF shown = natural.width() > most.width() || natural.height() > most.height()
                             ? natural.scaled(most, Qt::KeepAspectRatio)
                             : natural;
    const QSize shownPixels = Twips::toPixels(shown);
    m_shown->setPicture(shownPixels == m_picture.size()
                            ? QPixmap::fromImage(m_picture)
                            : QPixmap::fromImage(m_picture.scaled(shownPixels, Qt::KeepAspectRatio,
                                                                  Qt::SmoothTransformation)));
    m_shown->setVisible(!m_picture.isNull());

    const QSizeF picture = Twips::fromPixels(m_shown->size());
    const QSizeF interior(std::max(Width, picture.width() + 2 * Margin),
                          std::max(Height, StripHeight + picture.height() + 2 * Margin));
    setFixedSize(Twips::toPixels(interior));
    m_shown->move(
        Twips::toPixels((interior.width() - picture.width()) / 2,
                        StripHeight + (interior.height() - StripHeight - picture.height()) / 2));
}

void ShowPic::copy()
{
    QGuiApplication::clipboard()->setImage(m_picture);
}

void ShowPic::save()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    auto *dialog = new QFileDialog(this, QStringLiteral("保存图片"), folder);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const SaveForm &form : saveForms())
        filters.append(form.filter);
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(saveForms().front().suffixes.front());
    connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString &filter) {
        for (const SaveForm &form : saveForms()) {
            if (form.filter == filter)
                dialog->setDefaultSuffix(form.suffixes.front());
        }
    });
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString &path) {
        QImageWriter writer(path, formOf(path).format);
        if (!writer.write(m_picture)) {
            warnUser(this, Title,
                     QStringLiteral("无法将图片保存到“%1”。\n请确认该文件夹存在并且可以写入，"
                                    "然后再试一次。")
                         .arg(QDir::toNativeSeparators(path)));
        }
    });
    dialog->open();
}

bool PictureViewer::show(const QByteArray &encoded, const QByteArray &format, QWidget *mainWindow)
{
    QString problem;
    const QImage picture = decode(encoded, format, &problem);
    if (picture.isNull()) {
        warnUser(m_window ? m_window.data() : mainWindow, Title, problem);
        return false;
    }
    if (!m_window) {
        m_window = new ShowPic;
        m_window->setScreen(mainWindow->screen());
        // A window the window system knows has its frame counted in its outer size.
        m_window->winId();
        m_window->setPicture(picture);
        const QPointF corner = Twips::fromPixels(mainWindow->frameGeometry()).topLeft();
        placeAgainst(m_window, corner + QPointF(200, 2000), mainWindow);
    } else {
        m_window->setPicture(picture);
        // It stays where it is, unless the larger picture took it past the screen's edge.
        placeAgainst(m_window, Twips::fromPixels(m_window->frameGeometry()).topLeft(), m_window);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}

void PictureViewer::close()
{
    if (m_window)
        m_window->close();
}
