#pragma once

#include "base/frame_dialog.h"

#include <QStringList>

class QLabel;
class QListWidget;

// Picks one of the configuration folders in PROJECTS. The open configuration
// is preselected, otherwise the first entry. Name_Conf is the name handed back
// and keeps its value from one showing to the next.
class TFOpenConf : public Frame_Dialog {
    Q_OBJECT
public:
    TFOpenConf(App_State& state, const Text_Table& texts, Ui_Services& ui, QWidget* parent = nullptr);

    const QStringList& SL() const { return sl; }
    const QString& Name_Conf() const { return name_conf; }

public Q_SLOTS:
    // Lists the configurations and preselects one.
    void FormShow() override;
    void Load_Existing_Configuration();
    // Name_Conf := the selected entry.
    void ListBox1Click();
    // Opens the configuration double-clicked.
    void ListBox1DblClick();
    void Set_Lang() override;

private:
    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QStringList sl;
    QString name_conf;
};
