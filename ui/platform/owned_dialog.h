// SPDX-License-Identifier: GPL-3.0-or-later
// A modal dialog that is never deleted twice: made on the heap, so that a
// window deleted while the dialog runs (which deletes its children) leaves
// nothing for the caller to delete again.
#pragma once

#include <QDialog>
#include <QPointer>

#include <utility>

namespace zodivane::ui {

/// Owns a dialog of type `T` made with `new` over its parent window; deletes
/// it when the owner goes out of scope, unless the parent has deleted it.
template <typename T>
class OwnedDialog {
 public:
  template <typename... Arguments>
  explicit OwnedDialog(Arguments&&... arguments)
      : dialog_(new T(std::forward<Arguments>(arguments)...)) {}
  ~OwnedDialog() { delete dialog_.data(); }
  OwnedDialog(const OwnedDialog&) = delete;
  OwnedDialog& operator=(const OwnedDialog&) = delete;

  /// Runs the dialog modally: its result, or QDialog::Rejected when the
  /// dialog is gone (then nothing of it may be read).
  int exec() { return dialog_ ? dialog_->exec() : QDialog::Rejected; }
  /// Whether the dialog still exists.
  explicit operator bool() const noexcept { return !dialog_.isNull(); }
  T* operator->() const noexcept { return dialog_.data(); }
  T& operator*() const noexcept { return *dialog_; }

 private:
  QPointer<T> dialog_;
};

}  // namespace zodivane::ui
