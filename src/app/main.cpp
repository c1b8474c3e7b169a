#include "ui/FrmTlv.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvan"));
    auto* main = new FrmTlv;
    main->show();
    return app.exec();
}
