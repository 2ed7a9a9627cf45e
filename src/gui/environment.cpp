// The user's environment: defaults, settings keys and the drawing style derived from it.
#include "gui/environment.h"

namespace tolmek {

DrawStyle Environment::Style(bool simulating) const {
  DrawStyle s;
  s.background = BackColor;
  s.line = simulating ? ColorLow : LineColor;
  s.objectBorder = ObjectBorderColor;
  s.objectSelectedBorder = simulating ? ColorHigh : ObjectSelectedBorderColor;
  s.objectFill = BackColor;
  s.objectText = ObjectIdentifierColor;
  s.objectInnerText = ObjectInnerTextColor;
  s.pin = ObjectAnschlussColor;
  s.pinText = ObjectAnschlussTextColor;
  s.grid = GridColor;
  s.threeD = Show3D;
  s.showNodes = ShowNodes;
  s.arrowWires = ArrowWires;
  s.simulating = simulating;
  return s;
}

namespace {

constexpr ColorSetting kColors[] = {
    {"BackColor", &Environment::BackColor, 0},
    {"GridColor", &Environment::GridColor, 12632256},
    {"LineColor", &Environment::LineColor, 65535},
    {"ObjectBorderColor", &Environment::ObjectBorderColor, 16777215},
    {"ObjectSelectedBorderColor", &Environment::ObjectSelectedBorderColor, 255},
    {"ObjectIdentifierColor", &Environment::ObjectIdentifierColor, 255},
    {"ObjectAnschlussColor", &Environment::ObjectAnschlussColor, 16777215},
    {"ObjectAnschlussTextColor", &Environment::ObjectAnschlussTextColor, 65280},
    {"ObjectInnerTextColor", &Environment::ObjectInnerTextColor, 16776960},
};

constexpr FlagSetting kFlags[] = {
    {"3D", &Environment::Show3D, false},
    {"VWinkel", &Environment::RightAngleWires, true},
    {"Shift", &Environment::SelectWithoutShift, false},
    {"AutoFenster", &Environment::AutoArrange, true},
    {"Verbindungen", &Environment::ArrowWires, true},
    {"Signale", &Environment::AutoSignals, true},
    {"RechteMaus", &Environment::CentreOnRightClick, true},
    {"Nodes", &Environment::ShowNodes, true},
    {"Grid", &Environment::ShowGrid, true},
};

}  // namespace

std::span<const ColorSetting> ColorSettings() { return kColors; }
std::span<const FlagSetting> EnvironmentFlags() { return kFlags; }

}  // namespace tolmek
