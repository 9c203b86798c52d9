#pragma once
// Small helpers the main window's pages share: making a named control, placing it in
// twips, and selecting from code without the control's own signal, so that the code
// then runs the click handler exactly once.
#include <QAbstractButton>
#include <QWidget>

#include <string>
#include <vector>

class QComboBox;

namespace tavrelo {

// Every control carries its name as its objectName (tests and setup mode find it so).
template <class Control>
Control* MakeControl(QWidget* parent, const char* name)
{
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

void PlaceAt(QWidget* widget, double left, double top);

// A named control at its designed place (twips) in its container.
template <class Control>
Control* MakeControlAt(QWidget* parent, const char* name, double left, double top)
{
    Control* control = MakeControl<Control>(parent, name);
    PlaceAt(control, left, top);
    return control;
}

// Runs handler whenever the option button becomes the selected one of its group.
template <class Handler>
void OnSelected(QAbstractButton* option, QObject* receiver, Handler handler)
{
    QObject::connect(option, &QAbstractButton::toggled, receiver, [handler](bool on) {
        if (on)
            handler();
    });
}

// The name of element index of a control array ("OpSourse" 1 -> "OpSourse1").
std::string ArrayName(const char* name, int index);

// Checks an option button or check box without its signals or its group's.
void CheckSilently(QAbstractButton* button, bool checked = true);
// Fills a combo box with the items, nothing selected, without any signal.
void FillSilently(QComboBox* combo, const std::vector<std::string>& items);
// The text before a "(patterns)" at the end of a file-dialog text of the settings
// file, to which a Qt filter adds its own patterns.
QString FilterLabel(const std::string& text);
// Selects an item without the combo's signal.
void SelectSilently(QComboBox* combo, int index);

} // namespace tavrelo
