// TOmegaGUI and its widgets: lists of buttons, edit boxes and bars drawn over the scene, with the
// mouse and keyboard input the main form passes on to them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Clock.h"
#include "platform/Input.h"

namespace engine {

class TImageListItem;
class TOmegaBitmapFont;
class TOmegaGUI;
class TOmegaGUIList;
class TOmegaScreen;

// Mouse buttons as the form passes them.
enum TGUIMouseButton : int32_t { gbLeft = 0, gbRight = 1, gbMiddle = 2 };

// Shift bits of mouse events: which buttons are held.
constexpr int32_t kShiftLeft = 8;
constexpr int32_t kShiftRight = 16;
constexpr int32_t kShiftMiddle = 32;

// Virtual-key codes the widgets react to.
using platform::kVkBack;
using platform::kVkDelete;
using platform::kVkEnd;
using platform::kVkHome;
using platform::kVkLeft;
using platform::kVkReturn;
using platform::kVkRight;
using platform::kVkSpace;

// One look of a widget (0 normal, 1 mouse over, 2 left button held over it, 3 overlay or knob):
// its picture, the pattern shown and how that pattern animates.
struct TWidgetState {
  TImageListItem* Image = nullptr;
  int32_t Pattern = -1;
  bool Animate = false;
  int32_t StartPattern = -1;
  int32_t PatternCount = 0;
  int32_t Delay = 0;  // milliseconds per pattern; a pattern lasts Delay div 10 frames
  bool Loop = true;
  bool Reverse = false;
  bool Finished = false;
  uint32_t Color = 0xFFFFFFFFu;
  int32_t BlendMode = 0;
  int32_t Counter = 0;  // frames since the last step

  void SetPattern(int32_t value) {
    Pattern = value;
    StartPattern = value;
  }
  // Back to the first pattern (the last one when running backwards).
  void Restart();
  // One drawn frame: every Delay div 10 frames the pattern moves on one step within
  // StartPattern..StartPattern + PatternCount, wrapping when Loop, else stopping with Finished.
  void Step();
};

// The GUI's input state; PreviousState holds a copy taken before each mouse event.
struct TGUIInputState {
  int32_t MouseX = 0;
  int32_t MouseY = 0;
  int32_t HoverID = -1;
  int32_t PressedID = -1;
  int32_t FocusID = 0;
  bool LeftButton = false;
  bool RightButton = false;
  bool MiddleButton = false;
};

// Base of every widget. Created through TOmegaGUIList::Add, owned by its list, known to the GUI
// by its ID (IDs are never reused, so a freed widget simply stops matching).
class TOmegaGUIComponent {
 public:
  using TNotifyEvent = std::function<void(TOmegaGUIComponent* sender)>;
  using TMouseEvent = std::function<void(TOmegaGUIComponent* sender, int32_t button, int32_t shift,
                                         int32_t x, int32_t y)>;
  using TKeyEvent = std::function<void(TOmegaGUIComponent* sender, int32_t key, bool isChar)>;

  explicit TOmegaGUIComponent(TOmegaGUIList* list);
  virtual ~TOmegaGUIComponent();
  TOmegaGUIComponent(const TOmegaGUIComponent&) = delete;
  TOmegaGUIComponent& operator=(const TOmegaGUIComponent&) = delete;

  int32_t ID = 0;
  TOmegaGUIList* List = nullptr;
  std::string Name;
  bool Visible = true;  // drawn when Visible; hit-tested only when Visible and Enabled
  bool Enabled = true;
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 20;
  int32_t Height = 15;
  std::array<TWidgetState, 4> States{};
  bool MirrorY = false;
  bool MirrorX = false;
  TOmegaBitmapFont* Font = nullptr;
  uint32_t FontColor = 0xFFFFFFFFu;
  float FontRotation = 0;
  float FontScaleX = 1;
  float FontScaleY = 1;
  float Rotation = 0;  // degrees about the widget's centre
  bool ShowOverlay = false;

  // Events. A handler may free this widget's list (or the widget); the GUI notices.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TKeyEvent OnKey;

  // State 0..3; other indexes are ignored.
  void SetImage(int32_t state, TImageListItem* image);
  void SetPattern(int32_t state, int32_t pattern);
  void SetBlendMode(int32_t state, int32_t mode);
  void SetLeft(int32_t value) { Left = value; }
  void SetTop(int32_t value) { Top = value; }
  void SetWidth(int32_t value) { Width = value; }
  void SetHeight(int32_t value) { Height = value; }

  TOmegaGUI* GUI() const;
  // Drawn last and hit-tested last within its list.
  void BringToFront();
  // True when (X, Y) lies on the rectangle, edges included.
  bool Contains(int32_t x, int32_t y) const;
  bool Hovered() const;
  bool Focused() const;
  // Keys go to this widget from now on.
  void SetFocus();
  // False once the widget has been freed (it may still exist until the running event returns).
  bool Alive() const;
  void RestartAnimations();
  // The look the widget shows now: 0, 1 (mouse over) or 2 (mouse over, left button held); a look
  // without a picture falls back to 0.
  int32_t CurrentState() const;

  virtual void Draw();

 protected:
  friend class TOmegaGUI;

  // The input the GUI routes to the widget. Each runs its own action before the event handler,
  // so nothing of the widget is touched after a handler that may have freed it.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(int32_t button, int32_t shift, int32_t x, int32_t y);
  virtual void MouseUp(int32_t button, int32_t shift, int32_t x, int32_t y);
  // Every handled mouse move while the pointer is over the widget.
  virtual void MouseOver() {}
  // OnKey, then (while the widget lives) KeyAction.
  void Key(int32_t key, bool isChar);
  virtual void KeyAction(int32_t /*key*/, bool /*isChar*/) {}

  // The current look's picture stretched over the rectangle; its animation steps.
  void DrawWidget();
  // State 3's picture at (Left, Top), turned with the widget.
  void DrawOverlay();
};

// A button: a picture per look and an optional caption.
class TOmegaButton : public TOmegaGUIComponent {
 public:
  explicit TOmegaButton(TOmegaGUIList* list);

  std::string Caption;  // the ID in decimal at first
  bool CenterCaption = true;
  int32_t CaptionX = 0;
  int32_t CaptionY = 0;

  void Draw() override;
  // A picture button: the image's pattern 0 while up, 1 while pressed, and the image's size.
  void ShowPicture(TImageListItem* image);

 protected:
  // A focused button clicks on Enter or Space.
  void KeyAction(int32_t key, bool isChar) override;
};

// A one-line text box. Clicking it takes the keyboard focus.
class TOmegaEdit : public TOmegaGUIComponent {
 public:
  enum : int32_t {
    cfAny = 0,
    cfCapitalsOnly = 1,
    cfSmallOnly = 2,
    cfDigitsOnly = 3,
    cfToCapitals = 4,
    cfToSmall = 5,
  };

  explicit TOmegaEdit(TOmegaGUIList* list);

  std::string Text;        // code page 1251
  int32_t MaxLength = -1;  // -1: unlimited
  bool ReadOnly = false;
  int32_t CharFilter = cfAny;
  int32_t CaretPos = 0;  // 0: before the first character
  int32_t TextBlendMode = 0;
  int32_t Margin = 5;
  std::string Caret = "_";
  bool ShowCaret = true;
  // Latin letters typed are taken as the Cyrillic letters on the same keys of the Russian layout,
  // for keyboards without one (the name fonts hold no Latin letters); characters the font holds,
  // punctuation included, go in as they are.
  bool LatinToCyrillic = false;

  // Replaces the text and puts the caret after it.
  void SetText(const std::string& value);
  // Gives up the keyboard focus.
  void Exit();
  // Inserts one character at the caret when the filters, MaxLength and the font allow it.
  bool InsertChar(unsigned char c);

  void Draw() override;

 protected:
  void Click() override;
  void KeyAction(int32_t key, bool isChar) override;

 private:
  bool InFont(unsigned char c) const;
  void ClampCaret();
};

// Shared by the two bars: a position within Min..Max shown by a knob over a track.
class TOmegaRangeBar : public TOmegaGUIComponent {
 public:
  explicit TOmegaRangeBar(TOmegaGUIList* list) : TOmegaGUIComponent(list) {}

  bool Vertical = false;
  int32_t Position = 0;
  int32_t Min = 0;
  int32_t Max = 100;
  bool ShowValue = true;

  // Sets Position, kept within Min..Max.
  void SetPosition(int32_t value);
  int32_t Clamped(int32_t value) const;
  // Track (state 0) stretched over the rectangle, then the knob (state 3) at the position.
  void Draw() override;

 protected:
  // Positions in the range; never below 1.
  int32_t Steps() const;
};

// The bar the game uses: a click puts the position at the step under the pointer; it also follows
// the pointer while the left button pressed on it is held over it.
class TOmegaScrollBar : public TOmegaRangeBar {
 public:
  explicit TOmegaScrollBar(TOmegaGUIList* list) : TOmegaRangeBar(list) {}

  // The position a click at (X, Y) gives, clamped.
  int32_t PositionAt(int32_t x, int32_t y) const;

 protected:
  void Click() override;
  void MouseOver() override;
};

// A bar that follows the pointer while dragged (left button pressed on it, still held).
class TOmegaBar : public TOmegaRangeBar {
 public:
  explicit TOmegaBar(TOmegaGUIList* list) : TOmegaRangeBar(list) {}

  bool Dragging = false;

  // The rounded position at (X, Y), clamped.
  int32_t PositionAt(int32_t x, int32_t y) const;

 protected:
  void Click() override;
  void MouseDown(int32_t button, int32_t shift, int32_t x, int32_t y) override;
  void MouseOver() override;
};

// A list of widgets, drawn and hit-tested in order; owned by the GUI.
class TOmegaGUIList {
 public:
  TOmegaGUIList(TOmegaGUI* gui, std::string name);
  ~TOmegaGUIList();
  TOmegaGUIList(const TOmegaGUIList&) = delete;
  TOmegaGUIList& operator=(const TOmegaGUIList&) = delete;

  std::string Name;
  TOmegaGUI* GUI;
  bool Enabled = true;
  bool Visible = true;

  // Creates a widget of kind T, owned by the list, at the end of the drawing order.
  template <class T>
  T* Add() {
    auto widget = std::make_unique<T>(this);
    T* raw = widget.get();
    widgets_.push_back(std::move(widget));
    return raw;
  }
  int Count() const { return static_cast<int>(widgets_.size()); }
  // The widget at Index, or null outside 0..Count-1.
  TOmegaGUIComponent* Items(int index) const;
  // Frees the widget (after the running event, if one runs). Widgets of other lists are ignored.
  void Remove(TOmegaGUIComponent* widget);
  // Drawn last and hit-tested last.
  void BringToFront();
  // Frees this list and its widgets through the GUI: the pointer is dead afterwards.
  void Free();

  void Draw();

 private:
  friend class TOmegaGUI;
  friend class TOmegaGUIComponent;
  std::vector<std::unique_ptr<TOmegaGUIComponent>> widgets_;
};

// The GUI: owns the lists, keeps every widget by ID, tracks hover, press and focus, and routes the
// input the main form passes on while it is hooked.
class TOmegaGUI {
 public:
  // The clock thins mouse moves to one per 10 ms (null: every move counts).
  explicit TOmegaGUI(TOmegaScreen* screen = nullptr, TOmegaBitmapFont* font = nullptr,
                     platform::Clock* clock = nullptr);
  ~TOmegaGUI();
  TOmegaGUI(const TOmegaGUI&) = delete;
  TOmegaGUI& operator=(const TOmegaGUI&) = delete;

  TOmegaScreen* OmegaScreen = nullptr;
  TOmegaBitmapFont* OmegaBitmapFont = nullptr;  // the font new widgets take
  TImageListItem* Background = nullptr;         // drawn whole at (0, 0) before the lists

  int32_t MouseX = 0;  // back-buffer pixels
  int32_t MouseY = 0;
  int32_t HoverID = -1;    // widget under the pointer; 0 none, -1 before the first move
  int32_t PressedID = -1;  // widget under the pointer when the left button went down
  int32_t FocusID = 0;     // widget taking keys; 0 none, -1 after an edit gave it up
  bool LeftButton = false;
  bool RightButton = false;
  bool MiddleButton = false;
  TGUIInputState PreviousState;

  // Input arrives in back-buffer pixels already.
  static constexpr float ScaleMX = 1;
  static constexpr float ScaleMY = 1;

  void SetClock(platform::Clock* clock) { clock_ = clock; }
  TGUIInputState CurrentState() const;

  // Input is routed only while hooked.
  void Start();
  void Stop();
  bool Hooked() const { return hooked_; }

  TOmegaGUIList* AddList(const std::string& name);
  // Frees the list and its widgets; while an event runs, the list disappears at once and is
  // deleted when the event returns.
  void FreeList(TOmegaGUIList* list);
  int ListCount() const { return static_cast<int>(lists_.size()); }
  TOmegaGUIList* Lists(int index) const;
  // The widget with this ID, or null (0 is the GUI itself, never a widget).
  TOmegaGUIComponent* Widgets(int32_t id) const;
  int32_t NextID() const { return nextID_; }

  // Draws Background, then every visible list in order.
  void Draw();

  // Input from the main form. X, Y in back-buffer pixels; button 0 left, 1 right, 2 middle.
  // Each returns true when the GUI took the event (never for key-downs: the game sees them too).
  bool MouseMove(int32_t x, int32_t y);
  bool MouseDown(int32_t button, int32_t x, int32_t y);
  bool MouseUp(int32_t button, int32_t x, int32_t y);
  // A left press the system counts as the second of a double click. On the widget the previous
  // left press hit it goes to OnDblClick (no click follows its release); elsewhere it is an
  // ordinary press.
  bool MouseDoubleClick(int32_t x, int32_t y);
  bool KeyDown(int32_t key);
  // One code page 1251 character of text input.
  bool Char(unsigned char c);

 private:
  friend class TOmegaGUIComponent;
  friend class TOmegaGUIList;
  enum class Action { kDown, kUp, kDouble };

  // Keeps freed lists and widgets alive until the outermost event returns.
  class EventScope {
   public:
    explicit EventScope(TOmegaGUI& gui) : gui_(gui) { ++gui_.eventDepth_; }
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

   private:
    TOmegaGUI& gui_;
  };

  int32_t Register(TOmegaGUIComponent* widget);
  void Unregister(TOmegaGUIComponent* widget);
  void ReleaseWidget(std::unique_ptr<TOmegaGUIComponent> widget);
  void BringListToFront(TOmegaGUIList* list);
  // Hit test at (X, Y): the last enabled, visible widget of the last enabled, visible list that
  // contains the point wins; leave and enter events follow a change.
  void UpdateHover(int32_t x, int32_t y);
  void Dispatch(int32_t button, Action action);
  // A button going down where the pointer is (hover already tested).
  bool Press(int32_t button);
  uint64_t Milliseconds() const;

  std::vector<std::unique_ptr<TOmegaGUIList>> lists_;
  std::unordered_map<int32_t, TOmegaGUIComponent*> widgets_;
  std::vector<std::unique_ptr<TOmegaGUIList>> deadLists_;
  std::vector<std::unique_ptr<TOmegaGUIComponent>> deadWidgets_;
  int eventDepth_ = 0;
  bool hooked_ = false;
  int32_t nextID_ = 1;
  platform::Clock* clock_ = nullptr;
  // Mouse-move thinning: the last handled move, and a later one held back.
  bool moveSeen_ = false;
  uint64_t lastMoveMs_ = 0;
  bool movePending_ = false;
  int32_t pendingX_ = 0;
  int32_t pendingY_ = 0;
  // The widget the last left press hit (-1 after a double click): a double click needs it again.
  int32_t lastLeftPressID_ = -1;
  // Lists or widgets came or went since the last hit test: the pointer may be over a new widget.
  bool layoutChanged_ = false;
};

}  // namespace engine
