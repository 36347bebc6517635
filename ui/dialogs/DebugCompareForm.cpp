#include "ui/dialogs/DebugCompareForm.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

std::unique_ptr<QDialog> MakeDebugCompareForm(QWidget* owner, const QRect& place,
                                              const std::vector<std::string>& lines) {
    auto form =
        std::make_unique<QDialog>(owner, Qt::Dialog | Qt::CustomizeWindowHint |
                                             Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    form->setWindowTitle("Debug compare");
    form->setGeometry(place);
    auto* layout = new QVBoxLayout(form.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* memo = new QPlainTextEdit(form.get());
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (const std::string& line : lines) {
        memo->appendPlainText(QString::fromStdString(line));
    }
    layout->addWidget(memo, 1);
    auto* panel = new QWidget(form.get());
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    auto* close = new QPushButton("Close", panel);
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, form.get(), &QDialog::accept);
    row->addWidget(close);
    row->addStretch(1);
    layout->addWidget(panel);
    close->setFocus();
    return form;
}
