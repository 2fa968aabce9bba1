#pragma once

#include "budget/NamedList.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class UiServices;

// The editor of one named list (see NamedList for the rules). One design,
// configured by a NamedListKind; the eight editors below only choose their
// configuration.
//
// The opener copies the drop-down box's list in with Init, shows the editor
// modally and hands the list back with Result, however it was closed.
class NamedListEditor : public QDialog
{
    Q_OBJECT

public:
    NamedListEditor(const NamedListKind &kind, UiServices &ui, QWidget *parent = nullptr);

    const NamedListKind &kind() const { return m_kind; }

    void Init(const QComboBox *box);
    // Replaces the box's entries by the editor's list.
    void Result(QComboBox *box) const;
    QStringList entries() const { return m_list.entries(); }

    void Button4Click(); // Ajouter (also Envoi and Enter in the entry box)
    void Button2Click(); // Modifier
    void Button3Click(); // Supprimer

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showList(int select);
    int selectedRow() const;

    const NamedListKind &m_kind;
    UiServices &m_ui;
    NamedList m_list;
    QListWidget *m_listBox = nullptr; // ListBox1
    QLineEdit *m_entry = nullptr;     // Edit1
};

class TPostes : public NamedListEditor
{
    Q_OBJECT
public:
    explicit TPostes(UiServices &ui, QWidget *parent = nullptr)
        : NamedListEditor(NamedListKinds::get(NamedListKinds::Postes), ui, parent)
    {
    }
};

class TCateg : public NamedListEditor
{
    Q_OBJECT
public:
    explicit TCateg(UiServices &ui, QWidget *parent = nullptr)
        : NamedListEditor(NamedListKinds::get(NamedListKinds::Categ), ui, parent)
    {
    }
};

class TFmtv : public NamedListEditor
{
    Q_OBJECT
public:
    explicit TFmtv(UiServices &ui, QWidget *parent = nullptr)
        : NamedListEditor(NamedListKinds::get(NamedListKinds::Fmtv), ui, parent)
    {
    }
};

class TFmtA : public NamedListEditor
{
    Q_OBJECT
public:
    explicit TFmtA(UiServices &ui, QWidget *parent = nullptr)
        : NamedListEditor(NamedListKinds::get(NamedListKinds::FmtA), ui, parent)
    {
    }
};

class TFmtM : public NamedListEditor
{
    Q_OBJECT
public:
    explicit TFmtM(UiServices &ui, QWidget *parent = nullptr)
        : NamedListEditor(NamedListKinds::get(NamedListKinds::FmtM), ui, parent)
    {
    }
};

class TCateg2 : public NamedListEditor
{
    Q_OBJECT
public:
    explicit TCateg2(UiServices &ui, QWidget *parent = nullptr)
        : NamedListEditor(NamedListKinds::get(NamedListKinds::Categ2), ui, parent)
    {
    }
};

class TMedecins : public NamedListEditor
{
    Q_OBJECT
public:
    explicit TMedecins(UiServices &ui, QWidget *parent = nullptr)
        : NamedListEditor(NamedListKinds::get(NamedListKinds::Medecins), ui, parent)
    {
    }
};

class TOfficines : public NamedListEditor
{
    Q_OBJECT
public:
    explicit TOfficines(UiServices &ui, QWidget *parent = nullptr)
        : NamedListEditor(NamedListKinds::get(NamedListKinds::Officines), ui, parent)
    {
    }
};
