#include "tests/ui/support/MainRig.h"

#include <QApplication>
#include <QTreeWidget>

#include "common/CurrentEvMan.h"
#include "common/MainGTex.h"
#include "ui/sheet/iuiTree.h"

namespace testsupport {

namespace {

constexpr int kStepMs = 10;

}  // namespace

MainRig::MainRig() {
    InstallEvMan(bus.get());
    InstallMainGTex(&table);
}

MainRig::~MainRig() {
    main.reset();
    form.reset();
    InstallMainGTex(nullptr);
    InstallEvMan(nullptr);
    bus.reset();
    time.Advance(20);  // the bus's released pump task deletes itself
}

void MainRig::Start(const ItemRegistry& rows, std::vector<std::string> arguments) {
    main = std::make_unique<indMain>(settings, table, help, rows);
    main->SetArguments(std::move(arguments));
    form = std::make_unique<TForm1>(*main, settings, table);
    QApplication::processEvents();
}

void MainRig::Advance(int ms) {
    for (int passed = 0; passed < ms; passed += kStepMs) {
        time.Advance(kStepMs);
        QApplication::processEvents();
    }
}

void MainRig::Choose(QTreeWidgetItem* node) {
    main->Tree()->View()->setCurrentItem(node);
    Advance(cuiTree::ReadChangeDelay(table) + 60);
}

QTreeWidgetItem* MainRig::Node(const std::string& spec) const {
    return main->Tree()->FindNode(spec);
}

}  // namespace testsupport
