// The floor for start-up time: a bare Qt dialog with one caption, built the
// same way as the program. tools/windows/startup-bench.sh times both.
#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    QLabel caption(QStringLiteral("Кориндо"), &dialog);
    dialog.show();
    return QApplication::exec();
}
