#include "app/ReminderDialog.h"

#include "agenda/ReminderSchedule.h"
#include "app/ReminderCommand.h"
#include "common/UiServices.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

ReminderDialog::ReminderDialog(UiServices &ui, const QString &dataDirectory, QWidget *parent)
    : QDialog(parent), m_ui(ui), m_dataDirectory(dataDirectory)
{
    setObjectName(QStringLiteral("ReminderDialog"));
    setWindowTitle(QStringLiteral("Rappels"));
    const ReminderSettings settings = ReminderSettings::read(dataDirectory);

    m_enabled = new QCheckBox(QStringLiteral("&Rappeler les rendez-vous et les anniversaires"), this);
    m_enabled->setObjectName(QStringLiteral("EnabledBox"));
    m_enabled->setChecked(settings.enabled);
    m_delay = new QSpinBox(this);
    m_delay->setObjectName(QStringLiteral("DelayBox"));
    m_delay->setRange(0, ReminderSettings::MaxDelay);
    m_delay->setSuffix(QStringLiteral(" min"));
    m_delay->setValue(settings.delay);
    m_autostart =
        new QCheckBox(QStringLiteral("Rappeler aussi quand Tivarel est &fermé (à l'ouverture de session)"), this);
    m_autostart->setObjectName(QStringLiteral("AutostartBox"));
    m_autostart->setChecked(ReminderAutostart::isOn());
    connect(m_enabled, &QCheckBox::toggled, m_delay, &QWidget::setEnabled);
    m_delay->setEnabled(settings.enabled);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Délai avant un rendez-vous :"), m_delay);
    auto *note = new QLabel(QStringLiteral("Les rendez-vous sans heure sont rappelés à 8 h 00."), this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_enabled);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(m_autostart);
    layout->addWidget(buttons);
}

void ReminderDialog::accept()
{
    ReminderSettings settings;
    settings.enabled = m_enabled->isChecked();
    settings.delay = m_delay->value();
    QString error;
    if (!settings.write(m_dataDirectory, &error)
        || (m_autostart->isChecked() != ReminderAutostart::isOn()
            && !ReminderAutostart::set(m_autostart->isChecked(), &error))) {
        m_ui.showError(this, error);
        return;
    }
    QDialog::accept();
}
