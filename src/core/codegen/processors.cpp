// The processor table: sizes, flags, general-purpose RAM, pre-named cells and special-function registers per type.
#include "codegen/processors.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace tolmek {
namespace {

struct Range {
  std::uint16_t first;
  std::uint16_t last;
};

struct GprRange {
  std::uint16_t first;
  std::uint16_t last;
  std::uint8_t mask;
};

// Masks are written for a four-bank part and cut down to the banks a part has,
// so one entry serves 12-bit, two-bank and four-bank parts alike.
struct Sfr {
  std::string_view name;
  std::uint16_t address;
  std::uint8_t mask;
};

using SfrSegment = std::span<const Sfr>;

constexpr std::uint8_t kAll = 15;

constexpr Sfr kCore14[] = {
    {"INDF", 0x00, kAll},   {"TMR0", 0x01, 5},          {"PCL", 0x02, kAll},    {"STATUS", 0x03, kAll},
    {"FSR", 0x04, kAll},    {"PORTA", 0x05, 1},         {"PORTB", 0x06, 5},     {"PCLATH", 0x0A, kAll},
    {"INTCON", 0x0B, kAll}, {"INDF", 0x80, kAll},       {"OPTION_REG", 0x81, 10}, {"PCL", 0x82, kAll},
    {"STATUS", 0x83, kAll}, {"FSR", 0x84, kAll},        {"TRISA", 0x85, 2},     {"TRISB", 0x86, 10},
    {"PCLATH", 0x8A, kAll}, {"INTCON", 0x8B, kAll},
};
constexpr Sfr kCore14Upper[] = {
    {"INDF", 0x100, kAll},   {"TMR0", 0x101, 5},          {"PCL", 0x102, kAll},  {"STATUS", 0x103, kAll},
    {"FSR", 0x104, kAll},    {"PORTB", 0x106, 5},         {"PCLATH", 0x10A, kAll}, {"INTCON", 0x10B, kAll},
    {"INDF", 0x180, kAll},   {"OPTION_REG", 0x181, 10},   {"PCL", 0x182, kAll},  {"STATUS", 0x183, kAll},
    {"FSR", 0x184, kAll},    {"TRISB", 0x186, 10},        {"PCLATH", 0x18A, kAll}, {"INTCON", 0x18B, kAll},
};
constexpr Sfr kCore12C67x[] = {
    {"INDF", 0x00, kAll},    {"TMR0", 0x01, 1},      {"PCL", 0x02, kAll},    {"STATUS", 0x03, kAll},
    {"FSR", 0x04, kAll},     {"GPIO", 0x05, 1},      {"PCLATH", 0x0A, kAll}, {"INTCON", 0x0B, kAll},
    {"PIR1", 0x0C, 1},       {"ADRES", 0x1E, 1},     {"ADCON0", 0x1F, 1},    {"INDF", 0x80, kAll},
    {"OPTION_REG", 0x81, 2}, {"PCL", 0x82, kAll},    {"STATUS", 0x83, kAll}, {"FSR", 0x84, kAll},
    {"TRISIO", 0x85, 2},     {"PCLATH", 0x8A, kAll}, {"INTCON", 0x8B, kAll}, {"PIE1", 0x8C, 2},
    {"PCON", 0x8E, 2},       {"OSCCAL", 0x8F, 2},    {"ADCON1", 0x9F, 2},
};
constexpr Sfr kCore12Gpio[] = {
    {"INDF", 0x00, kAll}, {"TMR0", 0x01, kAll},   {"PCL", 0x02, kAll},  {"STATUS", 0x03, kAll},
    {"FSR", 0x04, kAll},  {"OSCCAL", 0x05, kAll}, {"GPIO", 0x06, kAll},
};
constexpr Sfr kCore12Ports[] = {
    {"INDF", 0x00, kAll}, {"TMR0", 0x01, kAll},  {"PCL", 0x02, kAll},   {"STATUS", 0x03, kAll},
    {"FSR", 0x04, kAll},  {"PORTA", 0x05, kAll}, {"PORTB", 0x06, kAll},
};
constexpr Sfr kPortC12[] = {{"PORTC", 0x07, kAll}};
constexpr Sfr kAdc71[] = {{"ADCON0", 0x08, 1}, {"ADRES", 0x09, 3}, {"ADCON1", 0x88, 2}, {"ADRES", 0x89, 3}};
constexpr Sfr kPcon87[] = {{"PCON", 0x87, 2}};
constexpr Sfr kEeprom84[] = {{"EEDATA", 0x08, 1}, {"EEADR", 0x09, 1}, {"EECON1", 0x88, 2}, {"EECON2", 0x89, 2}};
constexpr Sfr k712[] = {
    {"DATACCP", 0x07, 1}, {"PIR1", 0x0C, 1},    {"TMR1L", 0x0E, 1},  {"TMR1H", 0x0F, 1},  {"T1CON", 0x10, 1},
    {"TMR2", 0x11, 1},    {"T2CON", 0x12, 1},   {"CCPR1L", 0x15, 1}, {"CCPR1H", 0x16, 1}, {"CCP1CON", 0x17, 1},
    {"ADRES", 0x1E, 1},   {"ADCON0", 0x1F, 1},  {"TRISCCP", 0x87, 2}, {"PIE1", 0x8C, 2},  {"PCON", 0x8E, 2},
    {"PR2", 0x92, 2},     {"ADCON1", 0x9F, 2},
};
constexpr Sfr k715[] = {{"PIR1", 0x0C, 1}, {"ADRES", 0x1E, 1}, {"ADCON0", 0x1F, 1},
                        {"PIE1", 0x8C, 2}, {"PCON", 0x8E, 2},  {"ADCON1", 0x9F, 2}};
constexpr Sfr kPeripherals72[] = {
    {"PORTC", 0x07, 1},  {"PIR1", 0x0C, 1},   {"TMR1L", 0x0E, 1},   {"TMR1H", 0x0F, 1},  {"T1CON", 0x10, 1},
    {"TMR2", 0x11, 1},   {"T2CON", 0x12, 1},  {"SSPBUF", 0x13, 1},  {"SSPCON", 0x14, 1}, {"CCPR1L", 0x15, 1},
    {"CCPR1H", 0x16, 1}, {"CCP1CON", 0x17, 1}, {"TRISC", 0x87, 2},  {"PIE1", 0x8C, 2},   {"PCON", 0x8E, 2},
    {"PR2", 0x92, 2},    {"SSPADD", 0x93, 2}, {"SSPSTAT", 0x94, 2},
};
constexpr Sfr kAdc72[] = {{"ADRES", 0x1E, 1}, {"ADCON0", 0x1F, 1}, {"ADCON1", 0x9F, 2}};
constexpr Sfr kAdcF87x[] = {{"ADRESH", 0x1E, 1}, {"ADCON0", 0x1F, 1}, {"ADRESL", 0x9E, 2}, {"ADCON1", 0x9F, 2}};
constexpr Sfr kUsart73[] = {
    {"PIR2", 0x0D, 1},   {"RCSTA", 0x18, 1},   {"TXREG", 0x19, 1}, {"RCREG", 0x1A, 1}, {"CCPR2L", 0x1B, 1},
    {"CCPR2H", 0x1C, 1}, {"CCP2CON", 0x1D, 1}, {"PIE2", 0x8D, 2},  {"TXSTA", 0x98, 2}, {"SPBRG", 0x99, 2},
};
constexpr Sfr kPortsDE[] = {{"PORTD", 0x08, 1}, {"PORTE", 0x09, 1}, {"TRISD", 0x88, 2}, {"TRISE", 0x89, 2}};
constexpr Sfr kF87x[] = {
    {"SSPCON2", 0x91, 2}, {"EEDATA", 0x10C, 4}, {"EEADR", 0x10D, 4},  {"EEDATH", 0x10E, 4},
    {"EEADRH", 0x10F, 4}, {"EECON1", 0x18C, 8}, {"EECON2", 0x18D, 8},
};
constexpr Sfr kF62x[] = {
    {"PIR1", 0x0C, 1},    {"TMR1L", 0x0E, 1},  {"TMR1H", 0x0F, 1},  {"T1CON", 0x10, 1},   {"TMR2", 0x11, 1},
    {"T2CON", 0x12, 1},   {"CCPR1L", 0x15, 1}, {"CCPR1H", 0x16, 1}, {"CCP1CON", 0x17, 1}, {"RCSTA", 0x18, 1},
    {"TXREG", 0x19, 1},   {"RCREG", 0x1A, 1},  {"CMCON", 0x1F, 1},  {"PIE1", 0x8C, 2},    {"PCON", 0x8E, 2},
    {"PR2", 0x92, 2},     {"TXSTA", 0x98, 2},  {"SPBRG", 0x99, 2},  {"EEDATA", 0x9A, 2},  {"EEADR", 0x9B, 2},
    {"EECON1", 0x9C, 2},  {"EECON2", 0x9D, 2}, {"VRCON", 0x9F, 2},
};
constexpr Sfr kC62x[] = {{"PIR1", 0x0C, 1}, {"CMCON", 0x1F, 1}, {"PIE1", 0x8C, 2}, {"PCON", 0x8E, 2}, {"VRCON", 0x9F, 2}};
constexpr Sfr kEeintf[] = {{"EEINTF", 0x90, 2}};

// Register sets, each named after a part that has it.
constexpr SfrSegment kSfr61[] = {kCore14};
constexpr SfrSegment kSfr71[] = {kCore14, kAdc71};
constexpr SfrSegment kSfr711[] = {kCore14, kAdc71, kPcon87};
constexpr SfrSegment kSfr84[] = {kCore14, kEeprom84};
constexpr SfrSegment kSfr712[] = {kCore14, k712};
constexpr SfrSegment kSfr715[] = {kCore14, k715};
constexpr SfrSegment kSfr72[] = {kCore14, kPeripherals72, kAdc72};
constexpr SfrSegment kSfr73[] = {kCore14, kPeripherals72, kAdc72, kUsart73};
constexpr SfrSegment kSfr74[] = {kCore14, kPeripherals72, kAdc72, kUsart73, kPortsDE};
constexpr SfrSegment kSfr62[] = {kCore14, kPeripherals72};
constexpr SfrSegment kSfr64[] = {kCore14, kPeripherals72, kPortsDE};
constexpr SfrSegment kSfr63[] = {kCore14, kPeripherals72, kUsart73};
constexpr SfrSegment kSfr65[] = {kCore14, kPeripherals72, kUsart73, kPortsDE};
constexpr SfrSegment kSfr76[] = {kCore14, kPeripherals72, kAdc72, kUsart73, kCore14Upper};
constexpr SfrSegment kSfr77[] = {kCore14, kPeripherals72, kAdc72, kUsart73, kPortsDE, kCore14Upper};
constexpr SfrSegment kSfr66[] = {kCore14, kPeripherals72, kUsart73, kCore14Upper};
constexpr SfrSegment kSfr67[] = {kCore14, kPeripherals72, kUsart73, kPortsDE, kCore14Upper};
constexpr SfrSegment kSfrF873[] = {kCore14, kPeripherals72, kAdcF87x, kUsart73, kF87x, kCore14Upper};
constexpr SfrSegment kSfrF874[] = {kCore14, kPeripherals72, kAdcF87x, kUsart73, kPortsDE, kF87x, kCore14Upper};
constexpr SfrSegment kSfrF62x[] = {kCore14, kF62x, kCore14Upper};
constexpr SfrSegment kSfrC62x[] = {kCore14, kC62x};
constexpr SfrSegment kSfrCE62x[] = {kCore14, kC62x, kEeintf};
constexpr SfrSegment kSfrC67x[] = {kCore12C67x};
constexpr SfrSegment kSfrC50x[] = {kCore12Gpio};
constexpr SfrSegment kSfrC5xAB[] = {kCore12Ports};
constexpr SfrSegment kSfrC5xABC[] = {kCore12Ports, kPortC12};

constexpr GprRange kGpr71[] = {{0x0C, 0x2F, 3}};
constexpr GprRange kGpr84[] = {{0x0C, 0x4F, 3}};
constexpr GprRange kGpr72[] = {{0x20, 0x7F, 1}, {0xA0, 0xBF, 2}};
constexpr GprRange kGpr73[] = {{0x20, 0x7F, 1}, {0xA0, 0xFF, 2}};
constexpr GprRange kGpr76[] = {{0x20, 0x6F, 1}, {0x70, 0x7F, 15}, {0xA0, 0xEF, 2}, {0x110, 0x16F, 4}, {0x190, 0x1EF, 8}};
constexpr GprRange kGprF62x[] = {{0x20, 0x6F, 1}, {0x70, 0x7F, 15}, {0xA0, 0xEF, 2}, {0x120, 0x14F, 4}};
constexpr GprRange kGprF873[] = {{0x20, 0x7F, 5}, {0xA0, 0xFF, 10}};
constexpr GprRange kGprC620[] = {{0x20, 0x6F, 1}, {0x70, 0x7F, 3}};
constexpr GprRange kGprC622[] = {{0x20, 0x6F, 1}, {0x70, 0x7F, 3}, {0xA0, 0xBF, 2}};
constexpr GprRange kGprFrom07[] = {{0x07, 0x1F, 1}};
constexpr GprRange kGprC509[] = {{0x07, 0x0F, 3}, {0x10, 0x1F, 1}, {0x30, 0x3F, 2}};
constexpr GprRange kGprFrom08[] = {{0x08, 0x1F, 1}};
constexpr GprRange kGprC57[] = {{0x08, 0x0F, 15}, {0x10, 0x1F, 1}, {0x30, 0x3F, 2}, {0x50, 0x5F, 4}, {0x70, 0x7F, 8}};
constexpr GprRange kGprC58[] = {{0x07, 0x0F, 15}, {0x10, 0x1F, 1}, {0x30, 0x3F, 2}, {0x50, 0x5F, 4}, {0x70, 0x7F, 8}};

constexpr Range kNoRange{0, 0};
constexpr Range kIcdF873[] = {{0x70, 0x70}, {0xEB, 0xF0}};
constexpr Range kIcdF876[] = {{0x70, 0x70}, {0x1EB, 0x1EF}};

enum Flag : std::uint16_t {
  k12 = 1 << 0,  // Core12
  kP = 1 << 1,   // HasPwrte
  kB = 1 << 2,   // HasBoden
  kI = 1 << 3,   // HasInterrupts
  kA = 1 << 4,   // HasAdc
  kU = 1 << 5,   // HasUsart
  kG = 1 << 6,   // GprBanked
  kCpOn = 1 << 7,
  kOscCal = 1 << 8,
  kMclre = 1 << 9,
  kWsav = 1 << 10,  // "SYS_WSAV" at 0x20 and "SYS_WSAV2" at 0xA0
  kUartB = 1 << 11,  // USART on RB.2/RB.1 instead of RC.6/RC.7
  kCmp = 1 << 12,    // analogue comparators, switched off at start
};

struct ProcessorDef {
  std::string_view name;
  std::string_view include;
  std::uint16_t rom;
  std::uint16_t ram;
  std::uint16_t first;
  std::uint16_t eeprom;
  std::uint8_t banks;
  std::uint8_t pages;
  std::uint16_t pageSize;
  std::uint16_t flags;
  OscillatorFamily oscillators;
  std::span<const GprRange> gpr;
  std::span<const SfrSegment> sfrs;
  Range placeholders;  // cells named "SYS_"; first == 0 when there are none
  std::uint16_t icdRomCut;
  std::span<const Range> icdReserved;
  Calibration calibration;
  RamClear ramClear;
  std::uint8_t digitalAdcon1;
  std::string_view fixedFuses;
  std::string_view mplabCode;
  std::uint8_t maxMhz;  // the fastest speed grade of the part
};

constexpr Calibration kNoCal = Calibration::None;
constexpr Calibration kCalMovlw = Calibration::MovlwAtTop;
constexpr Calibration kCalRetlw = Calibration::RetlwAtTop;
constexpr Calibration kResetAtTop = Calibration::ResetVectorAtTop;

using enum OscillatorFamily;

// clang-format off
constexpr std::array<ProcessorDef, ProcessorCount> kProcessors{{
    // name       include          ROM   RAM first EE  bk pg  page  flags                       osc         GPR         SFR          SYS_ cells    ICD     calibration  RAM clear  ADCON1 fuses  MPLAB  MHz
    {"16C71",   "P16C71.INC",   1024,  36, 12,   0, 2, 1, 1024, kP | kI | kA | kCpOn,                Standard14, kGpr71,     kSfr71,      kNoRange,      0, {}, kNoCal, RamClear::C71, 3, "", "0x6c71", 20},
    {"16C711",  "P16C711.INC",  1024,  68, 12,   0, 2, 1, 1024, kP | kB | kI | kA | kCpOn,           Standard14, kGpr84,     kSfr711,     kNoRange,      0, {}, kNoCal, RamClear::C71, 3, "", "0x6711", 20},
    {"16C84",   "P16C84.INC",   1024,  36, 12,  64, 2, 1, 1024, kP | kI | kCpOn,                     Standard14, kGpr71,     kSfr84,      kNoRange,      0, {}, kNoCal, RamClear::C71, 0, "", "0x6c84", 10},
    {"16F84",   "P16F84.INC",   1024,  68, 12,  64, 2, 1, 1024, kP | kI | kCpOn,                     Standard14, kGpr84,     kSfr84,      kNoRange,      0, {}, kNoCal, RamClear::C71, 0, "", "0x684a", 10},
    {"16F84A",  "P16F84A.INC",  1024,  68, 12,  64, 2, 1, 1024, kP | kI | kCpOn,                     Standard14, kGpr84,     kSfr84,      kNoRange,      0, {}, kNoCal, RamClear::C71, 0, "", "0x6f84", 20},
    {"16C712",  "P16C712.INC",  1024, 128, 32,   0, 2, 1, 1024, kP | kB | kI | kA | kG | kWsav,      Standard14, kGpr72,     kSfr712,     {0x21, 0x2A},  0, {}, kNoCal, RamClear::C72, 7, "", "0x6712", 20},
    {"16C715",  "P16C715.INC",  2048, 128, 32,   0, 2, 1, 2048, kP | kB | kI | kA | kG | kWsav,      Standard14, kGpr72,     kSfr715,     {0x21, 0x2A},  0, {}, kNoCal, RamClear::C72, 3, " & _MPEEN_OFF", "0x6715", 20},
    {"16C716",  "P16C716.INC",  2048, 128, 32,   0, 2, 1, 2048, kP | kB | kI | kA | kG | kWsav,      Standard14, kGpr72,     kSfr712,     {0x21, 0x2A},  0, {}, kNoCal, RamClear::C72, 7, "", "0x6716", 20},
    {"16C72",   "P16C72.INC",   2048, 128, 32,   0, 2, 1, 2048, kP | kB | kI | kA | kG | kWsav,      Standard14, kGpr72,     kSfr72,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C72, 6, "", "0x6c72", 20},
    {"16C72A",  "P16C72A.INC",  2048, 128, 32,   0, 2, 1, 2048, kP | kB | kI | kA | kG | kWsav,      Standard14, kGpr72,     kSfr72,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C72, 6, "", "0x672a", 20},
    {"16C73",   "P16C73.INC",   4096, 192, 32,   0, 2, 2, 2048, kP | kI | kA | kU | kG | kWsav,      Standard14, kGpr73,     kSfr73,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C73, 6, "", "0x6c73", 20},
    {"16C73A",  "P16C73A.INC",  4096, 192, 32,   0, 2, 2, 2048, kP | kB | kI | kA | kU | kG | kWsav, Standard14, kGpr73,     kSfr73,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C73, 6, "", "0x673a", 20},
    {"16C73B",  "P16C73B.INC",  4096, 192, 32,   0, 2, 2, 2048, kP | kB | kI | kA | kU | kG | kWsav, Standard14, kGpr73,     kSfr73,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C73, 6, "", "0x673b", 20},
    {"16C74",   "P16C74.INC",   4096, 192, 32,   0, 2, 2, 2048, kP | kI | kA | kU | kG | kWsav,      Standard14, kGpr73,     kSfr74,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C73, 6, "", "0x6c74", 20},
    {"16C74A",  "P16C74A.INC",  4096, 192, 32,   0, 2, 2, 2048, kP | kB | kI | kA | kU | kG | kWsav, Standard14, kGpr73,     kSfr74,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C73, 6, "", "0x674a", 20},
    {"16C74B",  "P16C74B.INC",  4096, 192, 32,   0, 2, 2, 2048, kP | kB | kI | kA | kU | kG | kWsav, Standard14, kGpr73,     kSfr74,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C73, 6, "", "0x674b", 20},
    {"16C76",   "P16C76.INC",   8192, 368, 32,   0, 4, 4, 2048, kP | kB | kI | kA | kU | kG,         Standard14, kGpr76,     kSfr76,      {0x76, 0x7F},  0, {}, kNoCal, RamClear::F877, 6, "", "0x6c76", 20},
    {"16C77",   "P16C77.INC",   8192, 368, 32,   0, 4, 4, 2048, kP | kB | kI | kA | kU | kG,         Standard14, kGpr76,     kSfr77,      {0x76, 0x7F},  0, {}, kNoCal, RamClear::F877, 6, "", "0x6c77", 20},
    {"16F627",  "P16F627.INC",  1024, 224, 32, 128, 4, 1, 1024, kP | kB | kI | kU | kG | kMclre | kUartB | kCmp , F62x,       kGprF62x,   kSfrF62x,    {0x70, 0x7B},  0, {}, kNoCal, RamClear::F627, 0, " & _LVP_OFF", "0x6627", 20},
    {"16F628",  "P16F628.INC",  2048, 224, 32, 128, 4, 1, 2048, kP | kB | kI | kU | kG | kMclre | kUartB | kCmp , F62x,       kGprF62x,   kSfrF62x,    {0x70, 0x7B},  0, {}, kNoCal, RamClear::F627, 0, " & _LVP_OFF", "0x6628", 20},
    {"16F873",  "P16F873.INC",  4096, 192, 32, 128, 4, 2, 2048, kP | kB | kI | kA | kU | kG | kWsav, Standard14, kGprF873,   kSfrF873,    {0x21, 0x2C},  288, kIcdF873, kNoCal, RamClear::F873, 6, " & _LVP_OFF & _CPD_OFF & _DEBUG_OFF", "0x873f", 20},
    {"16F874",  "P16F874.INC",  4096, 192, 32, 128, 4, 2, 2048, kP | kB | kI | kA | kU | kG | kWsav, Standard14, kGprF873,   kSfrF874,    {0x21, 0x2C},  288, kIcdF873, kNoCal, RamClear::F873, 6, " & _LVP_OFF & _CPD_OFF & _DEBUG_OFF", "0x874f", 20},
    {"16F876",  "P16F876.INC",  8192, 368, 32, 256, 4, 4, 2048, kP | kB | kI | kA | kU | kG,         Standard14, kGpr76,     kSfrF873,    {0x73, 0x7F},  256, kIcdF876, kNoCal, RamClear::F877, 6, " & _LVP_OFF & _CPD_OFF & _DEBUG_OFF", "0x876f", 20},
    {"16F877",  "P16F877.INC",  8192, 368, 32, 256, 4, 4, 2048, kP | kB | kI | kA | kU | kG,         Standard14, kGpr76,     kSfrF874,    {0x73, 0x7F},  256, kIcdF876, kNoCal, RamClear::F877, 6, " & _LVP_OFF & _CPD_OFF & _DEBUG_OFF", "0x877f", 20},
    // Bank 1 of the 16C620A/621A/CE623/CE624 holds no RAM, so their variables still need bank 0 selected.
    {"16C620a", "P16C620A.INC",  512,  96, 32,  16, 2, 1,  512, kP | kB | kI | kG | kCpOn | kCmp ,           Standard14, kGprC620,   kSfrC62x,    {0x70, 0x79},  0, {}, kNoCal, RamClear::C620, 0, "", "0x620a", 40},
    {"16C621a", "P16C621A.INC", 1024,  96, 32,  16, 2, 1, 1024, kP | kB | kI | kG | kCmp ,                   Standard14, kGprC620,   kSfrC62x,    {0x70, 0x79},  0, {}, kNoCal, RamClear::C620, 0, "", "0x621a", 40},
    {"16C622a", "P16C622A.INC", 2048, 128, 32,  16, 2, 1, 2048, kB | kI | kG | kCmp ,                        Standard14, kGprC622,   kSfrC62x,    {0x70, 0x79},  0, {}, kNoCal, RamClear::C622, 0, "", "0x622a", 40},
    {"16CE623", "P16CE623.INC",  512,  96, 32,  16, 2, 1,  512, kP | kB | kI | kG | kCpOn | kCmp ,           Standard14, kGprC620,   kSfrCE62x,   {0x70, 0x79},  0, {}, kNoCal, RamClear::C620, 0, "", "0x6623", 20},
    {"16CE624", "P16CE624.INC", 1024,  96, 32,  16, 2, 1, 1024, kP | kB | kI | kG | kCmp ,                   Standard14, kGprC620,   kSfrCE62x,   {0x70, 0x79},  0, {}, kNoCal, RamClear::C620, 0, "", "0x6624", 20},
    {"16CE625", "P16CE625.INC", 2048, 128, 32,  16, 2, 1, 2048, kB | kI | kG | kCmp ,                        Standard14, kGprC622,   kSfrCE62x,   {0x70, 0x79},  0, {}, kNoCal, RamClear::C622, 0, "", "0x6625", 20},
    {"12C508A", "P12C508A.INC",  511,  25,  7,   0, 1, 1,  512, k12 | kCpOn | kOscCal | kMclre,      C5xx,       kGprFrom07, kSfrC50x,    kNoRange,      0, {}, kCalMovlw, RamClear::C508, 0, "", "0x508a",  4},
    {"12C509A", "P12C509A.INC", 1023,  41,  7,   0, 2, 2,  512, k12 | kG | kCpOn | kOscCal | kMclre, C5xx,       kGprC509,   kSfrC50x,    kNoRange,      0, {}, kCalMovlw, RamClear::C509, 0, "", "0x509a",  4},
    {"12CE518", "P12CE518.INC",  511,  25,  7,  16, 1, 1,  512, k12 | kCpOn | kOscCal | kMclre,      C5xx,       kGprFrom07, kSfrC50x,    kNoRange,      0, {}, kCalMovlw, RamClear::C508, 0, "", "0x2518",  4},
    {"12CE519", "P12CE519.INC", 1023,  41,  7,  16, 2, 2,  512, k12 | kG | kCpOn | kOscCal | kMclre, C5xx,       kGprC509,   kSfrC50x,    kNoRange,      0, {}, kCalMovlw, RamClear::C509, 0, "", "0x2519",  4},
    {"12C671",  "P12C671.INC",  1023, 128, 32,   0, 2, 1, 1024, kP | kI | kA | kG | kOscCal | kMclre, C67x,      kGprC622,   kSfrC67x,    {0x70, 0x78},  0, {}, kCalRetlw, RamClear::C622, 7, "", "0x2671", 10},
    {"12C672",  "P12C672.INC",  2047, 128, 32,   0, 2, 1, 2048, kP | kI | kA | kG | kOscCal | kMclre, C67x,      kGprC622,   kSfrC67x,    {0x70, 0x78},  0, {}, kCalRetlw, RamClear::C622, 7, "", "0x2672", 10},
    {"12CE673", "P12CE673.INC", 1023, 128, 32,  16, 2, 1, 1024, kP | kI | kA | kG | kOscCal | kMclre, C67x,      kGprC622,   kSfrC67x,    {0x70, 0x78},  0, {}, kCalRetlw, RamClear::C622, 7, "", "0x2673", 10},
    {"12CE674", "P12CE674.INC", 2047, 128, 32,  16, 2, 1, 2048, kP | kI | kA | kG | kOscCal | kMclre, C67x,      kGprC622,   kSfrC67x,    {0x70, 0x78},  0, {}, kCalRetlw, RamClear::C622, 7, "", "0x2674", 10},
    {"16C54C",  "P16C5X.INC",    511,  25,  7,   0, 1, 1,  512, k12 | kCpOn,                         C5x,        kGprFrom07, kSfrC5xAB,   kNoRange,      0, {}, kResetAtTop, RamClear::C54, 0, "", "0x654c", 40},
    {"16C55A",  "P16C5X.INC",    511,  24,  8,   0, 1, 1,  512, k12 | kCpOn,                         C5x,        kGprFrom08, kSfrC5xABC,  kNoRange,      0, {}, kResetAtTop, RamClear::C54, 0, "", "0x655a", 40},
    {"16C56A",  "P16C5X.INC",   1023,  25,  7,   0, 1, 2,  512, k12 | kCpOn,                         C5x,        kGprFrom07, kSfrC5xAB,   kNoRange,      0, {}, kResetAtTop, RamClear::C54, 0, "", "0x656a", 40},
    {"16C57C",  "P16C5X.INC",   2047,  72,  8,   0, 4, 4,  512, k12 | kG | kCpOn,                    C5x,        kGprC57,    kSfrC5xABC,  kNoRange,      0, {}, kResetAtTop, RamClear::C57, 0, "", "0x657c", 40},
    {"16C58B",  "P16C5X.INC",   2047,  73,  7,   0, 4, 4,  512, k12 | kG | kCpOn,                    C5x,        kGprC58,    kSfrC5xAB,   kNoRange,      0, {}, kResetAtTop, RamClear::C57, 0, "", "0x658b", 40},
    {"16C61",   "P16C61.INC",   1024,  36, 12,   0, 2, 1, 1024, kP | kI | kCpOn,                     Standard14, kGpr71,     kSfr61,      kNoRange,      0, {}, kNoCal, RamClear::C71, 0, "", "0x6c61", 20},
    {"16C62B",  "P16C62B.INC",  2048, 128, 32,   0, 2, 1, 2048, kP | kB | kI | kG | kWsav,           Standard14, kGpr72,     kSfr62,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C72, 0, "", "0x662B", 20},
    {"16C63A",  "P16C63A.INC",  4096, 192, 32,   0, 2, 2, 2048, kP | kB | kI | kU | kG | kWsav,      Standard14, kGpr73,     kSfr63,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C73, 0, "", "0x663A", 20},
    {"16C64A",  "P16C64A.INC",  2048, 128, 32,   0, 2, 1, 2048, kP | kB | kI | kG | kWsav,           Standard14, kGpr72,     kSfr64,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C72, 0, "", "0x664A", 20},
    {"16C65B",  "P16C65B.INC",  4096, 192, 32,   0, 2, 2, 2048, kP | kB | kI | kU | kG | kWsav,      Standard14, kGpr73,     kSfr65,      {0x21, 0x2A},  0, {}, kNoCal, RamClear::C73, 0, "", "0x665B", 20},
    {"16C66",   "P16C66.INC",   8192, 368, 32,   0, 4, 4, 2048, kP | kB | kI | kU | kG,              Standard14, kGpr76,     kSfr66,      {0x76, 0x7F},  0, {}, kNoCal, RamClear::F877, 0, "", "0x6c66", 20},
    {"16C67",   "P16C67.INC",   8192, 368, 32,   0, 4, 4, 2048, kP | kB | kI | kU | kG,              Standard14, kGpr76,     kSfr67,      {0x76, 0x7F},  0, {}, kNoCal, RamClear::F877, 0, "", "0x6c67", 20},
}};
// clang-format on

// The A/D converter of each type, in type order.
constexpr std::array<AdcGroup, ProcessorCount> kAdcGroups{{
    AdcGroup::C71,   // 0 16C71
    AdcGroup::C71,   // 1 16C711
    AdcGroup::None,  // 2 16C84
    AdcGroup::None,  // 3 16F84
    AdcGroup::None,  // 4 16F84A
    AdcGroup::C712,  // 5 16C712
    AdcGroup::C71,   // 6 16C715
    AdcGroup::C712,  // 7 16C716
    AdcGroup::C72,   // 8 16C72
    AdcGroup::C72,   // 9 16C72A
    AdcGroup::C72,   // 10 16C73
    AdcGroup::C72,   // 11 16C73A
    AdcGroup::C72,   // 12 16C73B
    AdcGroup::C74,   // 13 16C74
    AdcGroup::C74,   // 14 16C74A
    AdcGroup::C74,   // 15 16C74B
    AdcGroup::C72,   // 16 16C76
    AdcGroup::C74,   // 17 16C77
    AdcGroup::None,  // 18 16F627
    AdcGroup::None,  // 19 16F628
    AdcGroup::F873,  // 20 16F873
    AdcGroup::F874,  // 21 16F874
    AdcGroup::F873,  // 22 16F876
    AdcGroup::F874,  // 23 16F877
    AdcGroup::None,  // 24 16C620A
    AdcGroup::None,  // 25 16C621A
    AdcGroup::None,  // 26 16C622A
    AdcGroup::None,  // 27 16CE623
    AdcGroup::None,  // 28 16CE624
    AdcGroup::None,  // 29 16CE625
    AdcGroup::None,  // 30 12C508A
    AdcGroup::None,  // 31 12C509A
    AdcGroup::None,  // 32 12CE518
    AdcGroup::None,  // 33 12CE519
    AdcGroup::C67x,  // 34 12C671
    AdcGroup::C67x,  // 35 12C672
    AdcGroup::C67x,  // 36 12CE673
    AdcGroup::C67x,  // 37 12CE674
    AdcGroup::None,  // 38 16C54C
    AdcGroup::None,  // 39 16C55A
    AdcGroup::None,  // 40 16C56A
    AdcGroup::None,  // 41 16C57C
    AdcGroup::None,  // 42 16C58B
    AdcGroup::None,  // 43 16C61
    AdcGroup::None,  // 44 16C62B
    AdcGroup::None,  // 45 16C63A
    AdcGroup::None,  // 46 16C64A
    AdcGroup::None,  // 47 16C65B
    AdcGroup::None,  // 48 16C66
    AdcGroup::None,  // 49 16C67
}};

// Per A/D group: the pins of the channels, the ADCON1 value the routine reading channel n writes (it starts
// from the all-digital value and clears bits, or writes the value outright), and the channels each ADCON1
// value 0..7 makes analogue. Parts with two configuration bits repeat their four values above 3.
struct AdcPinFacts {
  AdcGroup group;
  std::array<std::string_view, 8> pins;
  std::array<std::uint8_t, 8> readAdcon1;
  std::array<std::uint8_t, 8> analogByAdcon1;
};
constexpr std::string_view kPins28[] = {"RA.0", "RA.1", "RA.2", "RA.3", "RA.5"};
constexpr AdcPinFacts kAdcPinFacts[] = {
    {AdcGroup::C71, {"RA.0", "RA.1", "RA.2", "RA.3"}, {2, 2, 0, 0}, {0x0F, 0x0F, 0x03, 0x00, 0x0F, 0x0F, 0x03, 0x00}},
    {AdcGroup::C712, {"RA.0", "RA.1", "RA.2", "RA.3"}, {4, 4, 0, 4}, {0x0F, 0x0F, 0x0F, 0x0F, 0x0B, 0x0B, 0x00, 0x00}},
    {AdcGroup::C72, {kPins28[0], kPins28[1], kPins28[2], kPins28[3], kPins28[4]}, {4, 4, 2, 2, 2},
     {0x1F, 0x1F, 0x1F, 0x1F, 0x0B, 0x0B, 0x00, 0x00}},
    {AdcGroup::F873, {kPins28[0], kPins28[1], kPins28[2], kPins28[3], kPins28[4]}, {4, 4, 2, 2, 2},
     {0x1F, 0x1F, 0x1F, 0x1F, 0x0B, 0x0B, 0x00, 0x00}},
    {AdcGroup::C74, {kPins28[0], kPins28[1], kPins28[2], kPins28[3], kPins28[4], "RE.0", "RE.1", "RE.2"},
     {4, 4, 2, 2, 2, 0, 0, 0}, {0xFF, 0xFF, 0x1F, 0x1F, 0x0B, 0x0B, 0x00, 0x00}},
    {AdcGroup::F874, {kPins28[0], kPins28[1], kPins28[2], kPins28[3], kPins28[4], "RE.0", "RE.1", "RE.2"},
     {4, 4, 2, 2, 2, 0, 0, 0}, {0xFF, 0xFF, 0x1F, 0x1F, 0x0B, 0x0B, 0x00, 0x00}},
    {AdcGroup::C67x, {"GP.0", "GP.1", "GP.2", "GP.4"}, {6, 4, 2, 0}, {0x0F, 0x0F, 0x07, 0x07, 0x03, 0x03, 0x01, 0x00}},
};

// The highest clock of each oscillator choice (RC external, LP, XT, HS, RC internal) on any part; HS goes
// as far as the part's speed grade.
constexpr std::array<std::uint32_t, 5> kOscillatorCeilingHz{4'000'000, 200'000, 4'000'000, UINT32_MAX, 4'000'000};

std::uint8_t AdcChannelCount(AdcGroup g) {
  switch (g) {
    case AdcGroup::None: return 0;
    case AdcGroup::C72:
    case AdcGroup::F873: return 5;
    case AdcGroup::C74:
    case AdcGroup::F874: return 8;
    default: return 4;
  }
}

constexpr std::string_view kContextNames[] = {"SYS_WSAV", "SYS_SSAV", "SYS_PSAV"};

const ProcessorDef* Find(int type) {
  if (type < 0 || type >= ProcessorCount) return nullptr;
  return &kProcessors[static_cast<std::size_t>(type)];
}

void FillProps(int type, const ProcessorDef& d, ProcessorProps& p) {
  p.Type = type;
  p.Name = d.name;
  p.Include = d.include;
  p.RomSize = d.rom;
  p.RamSize = d.ram;
  p.FirstGpr = d.first;
  p.EepromSize = d.eeprom;
  p.BankCount = d.banks;
  p.PageCount = d.pages;
  p.PageSize = d.pageSize;
  p.PagingNeeded = d.pages > 1;
  p.Core12 = (d.flags & k12) != 0;
  p.HasPwrte = (d.flags & kP) != 0;
  p.HasBoden = (d.flags & kB) != 0;
  p.HasInterrupts = (d.flags & kI) != 0;
  p.HasAdc = (d.flags & kA) != 0;
  p.HasUsart = (d.flags & kU) != 0;
  p.Adc = kAdcGroups[static_cast<std::size_t>(type)];
  p.AdcChannels = AdcChannelCount(p.Adc);
  p.GprBanked = (d.flags & kG) != 0;
  p.CpOnSymbol = (d.flags & kCpOn) != 0;
  p.HasOscCal = (d.flags & kOscCal) != 0;
  p.HasMclreOption = (d.flags & kMclre) != 0;
  p.IcdCapable = d.icdRomCut != 0;
  p.Oscillators = d.oscillators;
  p.HasComparators = (d.flags & kCmp) != 0;
  p.CalibrationForm = d.calibration;
  p.RamClearForm = d.ramClear;
  p.DigitalAdcon1 = d.digitalAdcon1;
  p.FixedFuses = d.fixedFuses;
  p.MplabCode = d.mplabCode;
  p.MaxClockHz = std::uint32_t{d.maxMhz} * 1'000'000u;
  for (std::size_t o = 0; o < p.OscillatorMaxHz.size(); ++o)
    p.OscillatorMaxHz[o] = std::min(kOscillatorCeilingHz[o], p.MaxClockHz);
  for (const AdcPinFacts& f : kAdcPinFacts) {
    if (f.group != p.Adc) continue;
    p.AdcPins = f.pins;
    p.AdcReadAdcon1 = f.readAdcon1;
    p.AdcAnalogByAdcon1 = f.analogByAdcon1;
  }
  if (p.HasUsart) {
    const bool portB = (d.flags & kUartB) != 0;
    p.UartTxPin = portB ? "RB.2" : "RC.6";
    p.UartRxPin = portB ? "RB.1" : "RC.7";
  }
  for (const SfrSegment& segment : d.sfrs) {
    for (const Sfr& r : segment) {
      if (r.name.size() == 5 && r.name.starts_with("PORT")) p.Ports |= static_cast<std::uint8_t>(1u << (r.name[4] - 'A'));
      if (r.name == "GPIO") p.GpioPorts = true;
      if (r.name == "CCP1CON") p.CcpPins[0] = "CCP1";
      if (r.name == "CCP2CON") p.CcpPins[1] = "CCP2";
      if (r.name == "EECON1") p.HasDataEeprom = true;
      if (r.name == "EEADRH") p.HasEepromAddressHigh = true;
      if (r.name == "EEINTF") {
        p.SerialEepromSda = "EEINTF.1";
        p.SerialEepromScl = "EEINTF.2";
      }
    }
  }
  // MCLR shares its pin with an input where the fuse can give it away: RA5 on the 16F62x, GP3 on the 8-pin
  // parts. RA4 is open drain on every 14-bit part with port A; the 12-bit parts have no RA4.
  if (p.HasMclreOption) p.MclrPin = p.GpioPorts ? "GP.3" : "RA.5";
  if (!p.Core12 && p.HasPort('A')) p.OpenDrainPin = "RA.4";
  // CCP1 drives RC.2 and CCP2 RC.1; parts without port C have CCP1 on RB.3.
  if (!p.CcpPins[0].empty()) p.CcpPins[0] = p.HasPort('C') ? "RC.2" : "RB.3";
  if (!p.CcpPins[1].empty()) p.CcpPins[1] = "RC.1";
  // The 12CE5xx and 12CE67x carry their serial EEPROM on the internal GPIO bits 6 and 7.
  if (p.GpioPorts && d.eeprom > 0) {
    p.SerialEepromSda = "GPIO.6";
    p.SerialEepromScl = "GPIO.7";
  }
}

void FillRam(const ProcessorDef& d, RamTable& ram) {
  const auto bankSet = static_cast<std::uint8_t>((1u << d.banks) - 1);
  for (const GprRange& r : d.gpr) ram.DefineGpr(r.first, r.last, r.mask);
  for (const SfrSegment& segment : d.sfrs) {
    for (const Sfr& r : segment) {
      ram.DefineSfr(r.address, r.name, static_cast<std::uint8_t>(r.mask & bankSet));
    }
  }
  if ((d.flags & kWsav) != 0) {
    ram.NameCell(0x20, "SYS_WSAV");
    ram.NameCell(0xA0, "SYS_WSAV2");
  }
  if (d.placeholders.first == 0) return;
  for (int a = d.placeholders.first; a <= d.placeholders.last; ++a) ram.NameCell(a, kSysPlaceholder);
  // The interrupt entry saves W before it knows the bank, so its save cells are kept at fixed
  // placeholder places instead of going to whichever "SYS_" cell is free when they are registered.
  int next = d.placeholders.first;
  for (std::string_view name : kContextNames) {
    if (name == "SYS_WSAV" && (d.flags & kWsav) != 0) continue;
    ram.ReserveFor(next++, name);
  }
}

}  // namespace

ProcessorProps ProcessorPropertiesOf(int type, bool icdMode) {
  ProcessorProps props;
  const ProcessorDef* d = Find(type);
  if (d == nullptr) return props;
  FillProps(type, *d, props);
  if (icdMode && props.IcdCapable) {
    props.IcdActive = true;
    props.RomSize = static_cast<std::uint16_t>(props.RomSize - d->icdRomCut);
  }
  return props;
}

const ProcessorProps& ProcessorFacts(int type) {
  static const std::array<ProcessorProps, ProcessorCount> facts = [] {
    std::array<ProcessorProps, ProcessorCount> all;
    for (int t = 0; t < ProcessorCount; ++t) all[static_cast<std::size_t>(t)] = ProcessorPropertiesOf(t);
    return all;
  }();
  static const ProcessorProps unknown;
  return type >= 0 && type < ProcessorCount ? facts[static_cast<std::size_t>(type)] : unknown;
}

void DefineProcessor(int type, bool icdMode, RamTable& ram, ProcessorProps& props) {
  props = ProcessorPropertiesOf(type, icdMode);
  ram.Reset();
  const ProcessorDef* d = Find(type);
  if (d == nullptr) return;
  FillRam(*d, ram);
  if (props.IcdActive) {
    for (const Range& r : d->icdReserved) ram.MarkNotRam(r.first, r.last);
  }
}

std::string_view ProcessorName(int type) {
  const ProcessorDef* d = Find(type);
  return d == nullptr ? std::string_view{} : d->name;
}

std::string_view ProcessorInclude(int type) {
  const ProcessorDef* d = Find(type);
  return d == nullptr ? std::string_view{} : d->include;
}

std::string ProcessorDisplayName(int type) {
  const ProcessorDef* d = Find(type);
  if (d == nullptr) return {};
  std::string name = "PIC";
  for (char c : d->name) name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

}  // namespace tolmek
