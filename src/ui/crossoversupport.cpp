#include "ui/crossoversupport.h"

#include "core/designstate.h"
#include "platform/designwindow.h"
#include "ui/frmCoil.h"

#include <QLineEdit>
#include <QPalette>

using design::XoverPart;

namespace xoverui {

namespace {
void makeResultField(QLineEdit* field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, QColor(0, 0, 160));
    palette.setColor(QPalette::Text, QColor(255, 255, 0));
    field->setPalette(palette);
}
} // namespace

void makeResultFields(DesignWindow* window)
{
    for (const FieldEntry& entry : window->fields())
        if (entry.role == FieldRole::Result)
            makeResultField(window->field(QString::fromLatin1(entry.name)));
}

float& storedPart(XoverPart part)
{
    DesignState& state = designState();
    switch (part) {
    case XoverPart::L1:
        return state.xoverL1;
    case XoverPart::C1:
        return state.xoverC1;
    case XoverPart::L2:
        return state.xoverL2;
    case XoverPart::C2:
        return state.xoverC2;
    case XoverPart::L3:
        return state.xoverL3;
    case XoverPart::C3:
        return state.xoverC3;
    case XoverPart::L4:
        return state.xoverL4;
    case XoverPart::C4:
        return state.xoverC4;
    }
    return state.xoverL1;
}

void showAndStore(DesignWindow* window, const QVector<design::PartValue>& parts)
{
    for (const design::PartValue& part : parts) {
        window->setFieldText(QStringLiteral("sz") + design::partName(part.part), design::partText(part));
        if (part.value)
            storedPart(part.part) = *part.value;
    }
}

double shownPart(const DesignWindow* window, XoverPart part)
{
    return window->numberIn(QStringLiteral("sz") + design::partName(part));
}

void openInductorWindow(CoilSource coilSource)
{
    designState().coilSource = coilSource;
    frmCoil::openForCrossover();
}

} // namespace xoverui
