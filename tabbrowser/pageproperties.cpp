#include "pageproperties.h"

#include "webengineenvironment.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMimeDatabase>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString unknown()
{
    return QStringLiteral("未知");
}

QString dateText(const QDateTime &time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy年M月d日 HH:mm:ss"))
                          : unknown();
}

QString protocolText(const QUrl &address)
{
    const QString scheme = address.scheme().toLower();
    if (scheme == QLatin1String("http"))
        return QStringLiteral("超文本传输协议 (HTTP)");
    if (scheme == QLatin1String("https"))
        return QStringLiteral("安全超文本传输协议 (HTTPS)");
    if (scheme == QLatin1String("file"))
        return QStringLiteral("本地文件 (file)");
    if (scheme == QLatin1String(WebEngineEnvironment::BuiltInScheme))
        return QStringLiteral("程序内置网页 (%1)").arg(scheme);
    return scheme.isEmpty() ? unknown() : scheme;
}

QString typeText(const QString &mimeType)
{
    if (mimeType.isEmpty())
        return unknown();
    const QString comment = QMimeDatabase().mimeTypeForName(mimeType).comment();
    return comment.isEmpty() ? mimeType : QStringLiteral("%1 (%2)").arg(comment, mimeType);
}

QString securityText(const QUrl &address)
{
    const QString scheme = address.scheme().toLower();
    if (scheme == QLatin1String("https") || scheme == QLatin1String("wss"))
        return QStringLiteral("是，连接已加密");
    if (scheme == QLatin1String("http") || scheme == QLatin1String("ftp"))
        return QStringLiteral("否，连接未加密");
    return QStringLiteral("不适用（本机内容）");
}

QString sizeText(qint64 size)
{
    return size < 0 ? unknown() : QStringLiteral("%1 字节").arg(size);
}

} // namespace

QString PageProperties::script()
{
    return QStringLiteral(R"((function () {
    var navigation = performance.getEntriesByType('navigation')[0];
    var modified = Date.parse(document.lastModified);
    return {
        mimeType: document.contentType,
        characterSet: document.characterSet,
        lastModified: isNaN(modified) ? 0 : modified,
        loaded: performance.timeOrigin,
        size: navigation && navigation.decodedBodySize > 0 ? navigation.decodedBodySize : -1
    };
})())");
}

PageProperties PageProperties::from(const QString &title, const QUrl &address,
                                    const QVariant &answer)
{
    PageProperties page;
    page.title = title;
    page.address = address;
    const QVariantMap told = answer.toMap();
    if (told.isEmpty())
        return page;
    page.mimeType = told.value(QStringLiteral("mimeType")).toString();
    page.characterSet = told.value(QStringLiteral("characterSet")).toString();
    page.size = told.value(QStringLiteral("size")).toLongLong();
    const auto loaded = told.value(QStringLiteral("loaded")).toLongLong();
    const auto modified = told.value(QStringLiteral("lastModified")).toLongLong();
    if (loaded > 0)
        page.loaded = QDateTime::fromMSecsSinceEpoch(loaded);
    // A document whose server gave no date reports the time it is asked; a real date
    // lies before the page was requested (whole seconds: the date has no finer).
    if (modified > 0 && modified < loaded / 1000 * 1000)
        page.lastModified = QDateTime::fromMSecsSinceEpoch(modified);
    return page;
}

PagePropertiesDialog::PagePropertiesDialog(const PageProperties &page, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("属性"));
    auto *rows = new QFormLayout;
    const auto addRow = [this, rows](const QString &label, const char *name, const QString &value) {
        auto *field = new QLabel(value, this);
        field->setObjectName(QLatin1String(name));
        field->setTextFormat(Qt::PlainText);
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);
        field->setWordWrap(true);
        rows->addRow(label, field);
    };
    addRow(QStringLiteral("标题:"), "title", page.title.isEmpty() ? unknown() : page.title);
    addRow(QStringLiteral("地址:"), "address", page.address.toDisplayString());
    addRow(QStringLiteral("协议:"), "protocol", protocolText(page.address));
    addRow(QStringLiteral("类型:"), "type", typeText(page.mimeType));
    addRow(QStringLiteral("编码:"), "encoding",
           page.characterSet.isEmpty() ? unknown() : page.characterSet);
    addRow(QStringLiteral("安全连接:"), "secure", securityText(page.address));
    addRow(QStringLiteral("大小:"), "size", sizeText(page.size));
    addRow(QStringLiteral("修改日期:"), "modified", dateText(page.lastModified));
    addRow(QStringLiteral("加载日期:"), "loaded", dateText(page.loaded));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}
