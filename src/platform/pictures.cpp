#include "platform/pictures.h"

#include "platform/unitchoice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

QString compiledPicture(const QString& file)
{
    const QString base = QFileInfo(file).completeBaseName();
    if (base.isEmpty())
        return {};
    const QString path = QStringLiteral(":/pictures/") + base + QStringLiteral(".svg");
    if (QFileInfo::exists(path))
        return path;
    // The pictures are named as files on a system that ignores case: a report
    // asks for "P212.BMP" where a window shows "p212.bmp".
    const QDir pictures(QStringLiteral(":/pictures"));
    for (const QString& entry : pictures.entryList({ QStringLiteral("*.svg") }, QDir::Files))
        if (QFileInfo(entry).completeBaseName().compare(base, Qt::CaseInsensitive) == 0)
            return pictures.filePath(entry);
    return {};
}

namespace {

// Glyphs are shaped at this pixel size and scaled into place, so a text has
// the same extent in the drawing's units on every device.
constexpr int kReferencePixels = 100;

// A drawing split into its two layers.
struct Drawing {
    QByteArray shapes; // the SVG without its texts
    QRectF viewBox;
    QList<PictureText> texts;
};

// The text properties a drawing's groups hand down to their texts.
using Properties = QHash<QString, QString>;
const QStringList kInherited { QStringLiteral("font-family"), QStringLiteral("font-size"),
    QStringLiteral("font-weight"), QStringLiteral("font-style"), QStringLiteral("fill"),
    QStringLiteral("text-anchor") };

// The element's own properties (attributes, then its style declarations) over the inherited ones.
Properties propertiesOf(const QXmlStreamAttributes& attributes, Properties inherited)
{
    for (const QString& name : kInherited)
        if (attributes.hasAttribute(name))
            inherited.insert(name, attributes.value(name).toString().trimmed());
    const QStringList declarations = attributes.value(QStringLiteral("style")).toString().split(u';');
    for (const QString& declaration : declarations) {
        const qsizetype colon = declaration.indexOf(u':');
        const QString name = declaration.left(colon).trimmed();
        if (colon > 0 && kInherited.contains(name))
            inherited.insert(name, declaration.mid(colon + 1).trimmed());
    }
    return inherited;
}

// The leading number of "22", "22px" or "30 40"; `fallback` when there is none.
double leadingNumber(const QString& text, double fallback)
{
    qsizetype end = 0;
    const QString t = text.trimmed();
    while (end < t.size() && (t[end].isDigit() || QStringLiteral("+-.eE").contains(t[end])))
        ++end;
    bool ok = false;
    const double value = t.left(end).toDouble(&ok);
    return ok ? value : fallback;
}

QFont fontOf(const Properties& p)
{
    QFont font;
    QStringList families;
    for (QString family : p.value(QStringLiteral("font-family")).split(u',', Qt::SkipEmptyParts)) {
        family = family.trimmed().remove(u'"').remove(u'\'');
        if (family == QLatin1String("serif"))
            font.setStyleHint(QFont::Serif);
        else if (family == QLatin1String("sans-serif"))
            font.setStyleHint(QFont::SansSerif);
        else if (family == QLatin1String("monospace"))
            font.setStyleHint(QFont::Monospace);
        families << family;
    }
    if (!families.isEmpty())
        font.setFamilies(families);
    const QString weight = p.value(QStringLiteral("font-weight"));
    font.setBold(
        weight == QLatin1String("bold") || weight == QLatin1String("bolder") || leadingNumber(weight, 400) >= 600);
    const QString style = p.value(QStringLiteral("font-style"));
    font.setItalic(style == QLatin1String("italic") || style == QLatin1String("oblique"));
    font.setPixelSize(kReferencePixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

PictureText textOf(const QXmlStreamAttributes& attributes, const Properties& p, const QString& content)
{
    PictureText t;
    t.text = content.simplified();
    t.pos = QPointF(leadingNumber(attributes.value(QStringLiteral("x")).toString(), 0),
        leadingNumber(attributes.value(QStringLiteral("y")).toString(), 0));
    t.size = leadingNumber(p.value(QStringLiteral("font-size")), 16);
    const QString anchor = p.value(QStringLiteral("text-anchor"));
    t.align = anchor == QLatin1String("middle") ? Qt::AlignHCenter
        : anchor == QLatin1String("end")        ? Qt::AlignRight
                                                : Qt::AlignLeft;
    t.font = fontOf(p);
    const QString fill = p.value(QStringLiteral("fill"), QStringLiteral("#000"));
    t.color = fill == QLatin1String("none") ? QColor(Qt::transparent) : QColor::fromString(fill);
    if (!t.color.isValid())
        t.color = Qt::black;
    return t;
}

// Reads a drawing once, copying everything but its texts into the shapes
// layer and keeping the texts with the properties they inherit.
Drawing split(const QByteArray& svg)
{
    Drawing d;
    QXmlStreamReader reader(svg);
    QXmlStreamWriter writer(&d.shapes);
    QList<Properties> inherited { Properties() };
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const Properties p = propertiesOf(reader.attributes(), inherited.last());
            if (reader.name() == QLatin1String("text")) {
                const QXmlStreamAttributes attributes = reader.attributes();
                d.texts << textOf(attributes, p, reader.readElementText(QXmlStreamReader::IncludeChildElements));
                continue;
            }
            inherited << p;
        } else if (reader.isEndElement()) {
            inherited.removeLast();
        }
        writer.writeCurrentToken(reader);
    }
    if (reader.hasError())
        return {};
    QSvgRenderer renderer(d.shapes);
    if (!renderer.isValid())
        return {};
    d.viewBox = renderer.viewBoxF();
    return d;
}

const Drawing& drawingFor(const QString& file)
{
    static QHash<QString, Drawing> cache;
    static const Drawing none;
    const QString path = compiledPicture(file);
    if (path.isEmpty())
        return none;
    auto it = cache.find(path);
    if (it == cache.end()) {
        QFile svg(path);
        it = cache.insert(path, svg.open(QIODevice::ReadOnly) ? split(svg.readAll()) : Drawing());
    }
    return *it;
}

// Where the drawing's view box lands in `target`: fitted, proportions kept, centred.
QRectF fitted(const QRectF& viewBox, const QRectF& target)
{
    const QSizeF size = viewBox.size().scaled(target.size(), Qt::KeepAspectRatio);
    return QRectF(target.center() - QPointF(size.width(), size.height()) / 2, size);
}

} // namespace

QList<PictureText> pictureTexts(const QString& file) { return drawingFor(file).texts; }

double pictureScale(const QString& file, const QSizeF& target)
{
    const Drawing& d = drawingFor(file);
    if (d.viewBox.isEmpty())
        return 0;
    return fitted(d.viewBox, QRectF(QPointF(), target)).width() / d.viewBox.width();
}

bool paintPicture(QPainter& painter, const QString& file, const QRectF& target, const QHash<QString, QString>& shown)
{
    const Drawing& d = drawingFor(file);
    if (d.viewBox.isEmpty())
        return false;
    if (target.isEmpty())
        return true;
    const QRectF box = fitted(d.viewBox, target);
    QSvgRenderer shapes(d.shapes);
    shapes.render(&painter, box);

    const double scale = box.width() / d.viewBox.width();
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QTransform base = painter.transform();
    for (const PictureText& drawn : d.texts) {
        PictureText t = drawn;
        t.text = shown.value(t.text, t.text);
        if (t.text.isEmpty() || !(t.size > 0) || t.color.alpha() == 0)
            continue;
        const double width = QFontMetricsF(t.font).horizontalAdvance(t.text);
        const double shift = t.align == Qt::AlignHCenter ? -width / 2 : t.align == Qt::AlignRight ? -width : 0;
        const QPointF at = box.topLeft() + (t.pos - d.viewBox.topLeft()) * scale;
        const double k = t.size * scale / kReferencePixels;
        painter.setTransform(QTransform::fromScale(k, k) * QTransform::fromTranslate(at.x(), at.y()) * base);
        painter.setFont(t.font);
        painter.setPen(t.color);
        painter.drawText(QPointF(shift, 0), t.text);
    }
    painter.restore();
    return true;
}

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QString& file)
{
    m_file = file;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPicture(painter, m_file, QRectF(rect()), m_shown);
}

void PictureBox::showsUnit(const QString& text, const Unit& unit)
{
    const auto show = [this, text, unit](UnitSystem system) {
        if (showsMetric(unit, system))
            m_shown.insert(text, unitSymbol(unit, system).toUpper());
        else
            m_shown.remove(text);
        update();
    };
    show(unitSystem());
    connect(UnitChoice::instance(), &UnitChoice::unitsChanged, this, show);
}
