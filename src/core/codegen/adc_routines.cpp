// The A/D conversion routines "READ_AN0".."READ_AN7", one per channel the plan reads.
#include <string>

#include "codegen/program_writer.h"
#include "model/project.h"

namespace tolmek {

namespace {

bool German(AdcGroup g) { return g == AdcGroup::C71 || g == AdcGroup::C712 || g == AdcGroup::C67x; }
bool TenBit(AdcGroup g) { return g == AdcGroup::F873 || g == AdcGroup::F874; }
bool OnPortE(AdcGroup g, int n) { return (g == AdcGroup::C74 || g == AdcGroup::F874) && n >= 5; }

// The port bit of channel n on port A (or GPIO).
int PortBit(AdcGroup g, int n) {
  if (g == AdcGroup::C67x) return n == 3 ? 4 : n;
  return n == 4 ? 5 : n;
}

// Makes channel n's pin an analogue input.
void PinToAnalogue(ProgramWriter& w, AdcGroup g, int n) {
  switch (g) {
    case AdcGroup::C71:
      w.InstrOn(n <= 1 ? "BCF" : "CLRF", n <= 1 ? "ADCON1,0" : "ADCON1");
      break;
    case AdcGroup::C712:
      if (n == 2) {
        w.InstrOn("CLRF", "ADCON1");
      } else {
        w.Instr("MOVLW 4");
        w.InstrOn("MOVWF", "ADCON1");
      }
      break;
    case AdcGroup::C67x:
      if (n == 3) {
        w.InstrOn("CLRF", "ADCON1");
      } else {
        w.InstrOn("BCF", "ADCON1,0");
        if (n > 0) w.InstrOn("BCF", "ADCON1," + std::to_string(n));
      }
      break;
    default:
      if (OnPortE(g, n)) {
        w.InstrOn("CLRF", "ADCON1");
        w.InstrOn("BSF", "TRISE," + std::to_string(n - 5));
        return;
      }
      w.Instr(n <= 1 ? "MOVLW B'100'" : "MOVLW B'010'");
      w.InstrOn("MOVWF", "ADCON1");
      break;
  }
  w.InstrOn("BSF", std::string(g == AdcGroup::C67x ? "TRISIO," : "TRISA,") + std::to_string(PortBit(g, n)));
}

std::string ThreeBits(int n) {
  std::string s;
  for (int b = 2; b >= 0; --b) s += ((n >> b) & 1) ? '1' : '0';
  return s;
}

void WriteChannel(ProgramWriter& w, AdcGroup g, int n, int delayCount, int& label) {
  const std::string ch = std::to_string(n);
  const bool german = German(g);
  w.Comment(";***************************************************");
  w.Comment("; Read  -> AN" + ch);
  w.Comment(";***************************************************");
  w.Blank();
  w.Label("READ_AN" + ch);

  PinToAnalogue(w, g, n);
  const bool wide = w.GetAnalysis().AdcResult16Bit[static_cast<size_t>(n)];
  if (TenBit(g)) {
    if (wide)
      w.InstrOn("BSF", "ADCON1,ADFM", "; Right-Justified");
    else
      w.InstrOn("BCF", "ADCON1,ADFM", "; Left-Justified");
  }
  w.Instr("MOVLW B'11" + ThreeBits(n) + "001'", "; CH" + ch);
  w.InstrOn("MOVWF", "ADCON0");

  // The acquisition time: `delayCount` passes of three cycles.
  if (delayCount >= 1) {
    const std::string loop = "SYS_ADC_LABEL_" + std::to_string(label++);
    w.Instr("MOVLW " + std::to_string(delayCount));
    w.InstrOn("MOVWF", "SYS_TMP1");
    w.FallThroughLabel(loop);  // the loop stays in SYS_TMP1's bank
    w.InstrOn("DECFSZ", "SYS_TMP1,F");
    w.Instr("GOTO " + loop);
  } else {
    w.Instr("NOP");
  }

  const std::string wait = "SYS_ADC_LABEL_" + std::to_string(label++);
  w.InstrOn("BSF", "ADCON0,GO", german ? "; Wandlung starten" : "; Start convert");
  w.FallThroughLabel(wait);  // the loop stays in ADCON0's bank
  w.InstrOn("BTFSC", "ADCON0,GO", german ? "; Schon fertig ?" : "; ready ?");
  w.Instr("GOTO " + wait, german ? "; Sprung, wenn nicht" : "; no");

  const std::string result = "ADC" + ch;
  if (TenBit(g)) {
    if (wide) {
      w.InstrOn("MOVFW", "ADRESL");
      w.InstrOn("MOVWF", result);
      w.InstrOn("MOVFW", "ADRESH");
      w.InstrOn("MOVWF", result + "_HI");
    } else {
      w.InstrOn("MOVFW", "ADRESH", "; Only the 8 most significant bits");
      w.InstrOn("MOVWF", result);
    }
  } else {
    w.InstrOn("MOVFW", "ADRES", german ? "; Wert holen" : "");
    w.InstrOn("MOVWF", result, german ? "; und speichern" : "");
  }

  w.Instr("MOVLW " + std::to_string(w.Props().DigitalAdcon1));  // the port all digital again
  w.InstrOn("MOVWF", "ADCON1");
  const bool portE = OnPortE(g, n);
  w.Instr("MOVLW B'" + w.PortDirection(portE ? 4 : 0) + "'");
  const char* tris = portE ? "TRISE" : g == AdcGroup::C67x ? "TRISIO" : "TRISA";
  w.InstrOn("MOVWF", tris);
  w.Instr("RETURN");
  w.Blank();
}

}  // namespace

void WriteAdcRoutines(ProgramWriter& w, int delayCount) {
  const ProcessorProps& p = w.Props();
  if (p.Adc == AdcGroup::None) return;
  int label = 0;
  for (int n = 0; n < 8; ++n) {
    if (!w.GetAnalysis().AdcChannelUsed[static_cast<size_t>(n)]) continue;
    if (n >= p.AdcChannels) {
      // The part has no such input: the main loop's CALL stays unresolved and the assembler refuses it.
      if (w.GetProject().GeneratingFile.find(kPreviewSourceName) == std::string::npos)
        w.GetProject().Messages.ShowMessage(Msg::PinMissing, MessageMode::Error, "AN" + std::to_string(n));
      continue;
    }
    WriteChannel(w, p.Adc, n, delayCount, label);
  }
}

}  // namespace tolmek
