// The control's about box.
#pragma once

#include <QtWidgets/QDialog>
#include <memory>

namespace orvell {

inline constexpr char kAboutTitle[] = "About OrvellList";

// The dialog, not yet shown; its text label is named "aboutText".
std::unique_ptr<QDialog> CreateAboutBox(QWidget* parent);

}  // namespace orvell
