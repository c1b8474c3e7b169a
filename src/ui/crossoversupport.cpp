#include "ui/crossoversupport.h"

#include "core/designstate.h"
#include "ui/boxwindowsupport.h"
#include "ui/frmCoil.h"

#include <QLineEdit>
#include <QPalette>

using design::XoverPart;

namespace xoverui {

void makeResultField(QLineEdit* field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, QColor(0, 0, 160));
    palette.setColor(QPalette::Text, QColor(255, 255, 0));
    field->setPalette(palette);
    field->setReadOnly(true);
}

void makeResultFields(QWidget* window, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        makeResultField(boxui::fieldOf(window, QString::fromLatin1(name)));
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

void showAndStore(QWidget* window, const QVector<design::PartValue>& parts)
{
    for (const design::PartValue& part : parts) {
        boxui::setTextOf(window, QStringLiteral("sz") + design::partName(part.part), design::partText(part));
        if (part.value)
            storedPart(part.part) = *part.value;
    }
}

double shownPart(const QWidget* window, XoverPart part)
{
    return boxui::numberIn(window, QStringLiteral("sz") + design::partName(part));
}

void openInductorWindow(CoilSource coilSource)
{
    designState().coilSource = coilSource;
    frmCoil::openForCrossover();
}

} // namespace xoverui
