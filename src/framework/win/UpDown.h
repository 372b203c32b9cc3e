#pragma once
// TUpDown: a pair of arrow buttons over the system's up-down class, that
// steps a number, usually shown in an associated edit beside it.

#include <functional>
#include <string>

#include "Controls.h"

namespace zorvex {

enum class TUDOrientation { udHorizontal, udVertical };
enum class TUDAlignButton { udLeft, udRight };
enum class TUDBtnType { btNext, btPrev };
using TUDClickEvent = std::function<void(TObject *sender, TUDBtnType button)>;
using TUDChangingEvent = std::function<void(TObject *sender, bool &allowChange)>;

class TUpDown : public TWinControl {
public:
  explicit TUpDown(TComponent *owner);
  ~TUpDown() override;
  std::string ClassName() const override { return "TUpDown"; }

  // The control (an edit) that shows the number: the buttons sit on its
  // AlignButton side and take part of its width. Not owned; forgotten when
  // it goes away.
  TWinControl *Associate() const { return associate_; }
  void SetAssociate(TWinControl *associate);
  int Min() const { return min_; }
  void SetMin(int min);
  int Max() const { return max_; }
  void SetMax(int max);
  // What the associate shows when it holds a number, else the last good
  // one.
  int Position() const;
  void SetPosition(int position);
  int Increment() const { return increment_; }
  void SetIncrement(int increment);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation orientation);
  TUDAlignButton AlignButton() const { return alignButton_; }
  void SetAlignButton(TUDAlignButton align);
  // Past Max the position starts again at Min, and the other way round.
  bool Wrap() const { return wrap_; }
  void SetWrap(bool wrap);
  // The arrow keys in the associate step the position.
  bool ArrowKeys() const { return arrowKeys_; }
  void SetArrowKeys(bool arrowKeys);
  // Thousands separators in the associate's number.
  bool Thousands() const { return thousands_; }
  void SetThousands(bool thousands);

  // Associate, Min, Max, Position, Increment, Orientation, AlignButton,
  // Wrap, ArrowKeys, Thousands.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // Before the user's step: clearing allowChange stops it.
  TUDChangingEvent OnChanging;
  // After the user's step, with the button that made it (hides the plain
  // click event of controls).
  TUDClickEvent OnClick;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;
  bool CNNotify(NMHDR &header, LRESULT &result) override;
  void Notification(TComponent *component, TOperation operation) override;

private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void AttachBuddy();
  void DetachBuddy();
  TWinControl *associate_ = nullptr; // not owned
  // The associate's bounds before the buttons took part of it, given back
  // when they leave it.
  RECT associateBounds_{};
  bool buddyAttached_ = false;
  int min_ = 0, max_ = 100, increment_ = 1;
  mutable int position_ = 0; // the last good position read or set
  TUDOrientation orientation_ = TUDOrientation::udVertical;
  TUDAlignButton alignButton_ = TUDAlignButton::udRight;
  bool wrap_ = false, arrowKeys_ = true, thousands_ = true;
  int lastDelta_ = 0;
  bool lastAllowed_ = true;
};

} // namespace zorvex
