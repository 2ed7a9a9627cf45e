// Assembling generated programs with gpasm and running them in gpsim: what `verify` and the chip tests use.
//
// Typical use:
//
//   if (!HaveGpasm() || !HaveGpsim()) ...                   // say what to install
//   Assembly a = Assemble(writer.Text(), dir);              // dir: an existing, empty folder
//   ASSERT_TRUE(a.Clean()) << a.Report();                   // no error, no warning but the include-name one
//   EXPECT_EQ(a.wordsUsed, writer.RomCounter());            // program words gpasm placed
//
//   GpsimRun sim(a);                                  // processor from the source's PROCESSOR line
//   sim.Drive("portb0", {{0, 0}, {2000, 1}, {6000, 0}});    // input pin level from cycle 0, 2000, 6000
//   auto atHigh = sim.Sample(4000, "portb");                // a register (or "reg(0x20)") after cycle 4000
//   auto atLow = sim.Sample(9000, "portb");
//   ASSERT_TRUE(sim.Run()) << sim.Output();
//   EXPECT_EQ(sim.Value(atHigh).value() & 2, 2);            // RB1 follows RB0
//
// Pins are named as gpsim names them ("porta0", "portb7", "gpio3"); registers by their include-file names
// in lower case ("portb", "status") or by address ("reg(0x2a)"). Variables of the generated program are
// best read by address: `a.Symbol("COUNT")` gives the value of the equate COUNT from the listing.
// Each gpasm run takes 10-30 ms and each gpsim run some 50 ms plus the simulated time (about 1 ms per
// 10,000 cycles); keep the number of runs per test small.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tolmek {

[[nodiscard]] bool HaveGpasm();
[[nodiscard]] bool HaveGpsim();

// A fresh, empty folder under the system's temporary directory, removed again at the end of the scope.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  [[nodiscard]] const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct Assembly {
  int exitCode = -1;
  std::filesystem::path source, hex, cod, listing;
  std::string errorFile;              // the .err text, the include-name case warning removed
  std::vector<std::string> errors;    // lines of the error file starting with "Error"
  std::vector<std::string> warnings;  // lines starting with "Warning" (the include-name one removed)
  std::vector<std::string> messages;  // lines starting with "Message"
  int wordsUsed = -1;                 // "Program Memory Words Used" of the listing (no config, ID or EEPROM)
  std::string listingText;
  std::map<std::string, int64_t> symbols;  // the listing's symbol table (labels and equates)

  [[nodiscard]] bool Clean() const { return exitCode == 0 && errors.empty() && warnings.empty(); }
  [[nodiscard]] std::optional<int64_t> Symbol(const std::string& name) const;
  // Error file and the first lines of gpasm's output, for failure messages.
  [[nodiscard]] std::string Report() const;
};

// Writes `source` as <dir>/<baseName>.ASM and assembles it with gpasm (error file and listing beside it).
[[nodiscard]] Assembly Assemble(const std::string& source, const std::filesystem::path& dir,
                                const std::string& baseName = "T");

// The gpsim processor that simulates a part (gpsim lacks some revisions: "16F84A" runs as "p16f84",
// "12C509A" as "p12c509"); empty when gpsim has no close match.
[[nodiscard]] std::string GpsimProcessor(const std::string& partName);
// The part named by the PROCESSOR line of a source.
[[nodiscard]] std::string ProcessorOfSource(const std::string& source);

class GpsimRun {
 public:
  // `processor` overrides the one derived from the program's PROCESSOR line.
  explicit GpsimRun(const Assembly& program, std::string processor = {});

  // Drives an input pin: `edges` are (cycle, level) pairs in increasing cycle order.
  void Drive(const std::string& pin, const std::vector<std::pair<uint64_t, int>>& edges);
  // Holds a pin at a fixed voltage through a resistor (an analogue input for the A/D converter).
  void Voltage(const std::string& pin, double volts);
  // The name of the source Voltage() attached as its `index`-th one, for commands such as "NAME.voltage = 2.5".
  [[nodiscard]] static std::string VoltageSource(size_t index) { return "tolmek_v" + std::to_string(index); }
  // Reads `expression` when the simulation reaches `cycle`; returns the sample's index for Value().
  size_t Sample(uint64_t cycle, const std::string& expression);
  // Gives gpsim `command` when the simulation reaches `cycle` ("reg(0x20) = 5", "reset"), in cycle order with
  // the samples.
  void Command(uint64_t cycle, const std::string& command);
  // Commands given right after the program is loaded (modules, nodes, attributes, "frequency").
  void Setup(const std::string& commands) { setup_ += commands + "\n"; }
  // Commands run when the simulation reaches `cycle` (for example "U1.tx = 65").
  void At(uint64_t cycle, const std::string& commands) { actions_.push_back({cycle, commands}); }
  // Logs every write to these registers ("portb"); LogWrites() holds the log after Run().
  void LogWrites(const std::vector<std::string>& registers) { logged_ = registers; }
  // The logged writes in order: register name and value written.
  [[nodiscard]] const std::vector<std::pair<std::string, int>>& Writes() const { return writes_; }
  // Runs gpsim once through all samples; false when gpsim could not run or printed no value for a sample.
  bool Run();
  // Seconds gpsim may run before it is stopped (a program that never reaches a sample must not hang us).
  void SetTimeLimit(int seconds) { timeLimit_ = seconds; }
  [[nodiscard]] std::optional<int64_t> Value(size_t sample) const;
  [[nodiscard]] const std::string& Output() const { return output_; }
  // The script given to gpsim (for failure messages).
  [[nodiscard]] const std::string& Script() const { return script_; }

 private:
  struct Stimulus {
    std::string pin;
    std::vector<std::pair<uint64_t, int>> edges;
  };
  struct SampleAt {
    uint64_t cycle;
    std::string expression;
    bool command = false;
  };
  const Assembly& program_;
  std::string processor_;
  std::vector<Stimulus> stimuli_;
  std::vector<std::pair<std::string, double>> voltages_;
  std::vector<SampleAt> samples_;
  std::vector<SampleAt> actions_;
  std::string setup_;
  std::vector<std::string> logged_;
  std::vector<std::pair<std::string, int>> writes_;
  std::vector<std::optional<int64_t>> values_;
  std::string output_;
  std::string script_;
  int timeLimit_ = 120;
};

}  // namespace tolmek
