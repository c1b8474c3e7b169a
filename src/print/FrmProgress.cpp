#include "print/FrmProgress.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

FrmProgress::FrmProgress(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("FrmProgress"));
    setWindowTitle(QStringLiteral("Tolvan"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("Gauge1"));
    m_gauge->setRange(0, 100);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_gauge);
    setFixedSize(320, 90);
}

void FrmProgress::step(const QString& label, int gauge)
{
    m_label->setText(label);
    advance(gauge);
}

void FrmProgress::advance(int gauge)
{
    m_gauge->setValue(gauge);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
