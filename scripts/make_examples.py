#!/usr/bin/env python3
"""Writes the JSON of the example plans that show every block kind, one per processor.

    scripts/make_examples.py     writes examples/NAME.pic and its full JSON export examples/NAME.json
                                 (TOLMEKC names the command-line tool; default build/src/cli/tolmekc)

Each plan is laid out in columns; every named pin gets a short wire to a junction node that carries the net's
name, so the plans read like hand-drawn ones. The benches (examples/*.tbench) are kept by hand.
"""
import json
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(HERE, "..", "examples")

KIND = {"TObjGatter": 3, "TObjTimer": 5, "TObjZaehler": 6, "TObjPuls": 7, "TObjData8": 8, "TObjStrigg8": 9,
        "TObjSregist": 10, "TObjText": 11, "TObjInc": 12, "TObjTabelle": 13, "TObjRsff": 14, "TObjCall": 15,
        "TObjMux": 16, "TObjPulsIn": 17, "TObjPulsOut": 18, "TObjVergl": 19, "TObjMathe": 20,
        "TObjVrzaehl": 21, "TObjGnd": 22, "TObjBv": 23, "TObjEE": 24, "TObjSpl": 25, "TObjLimit": 26,
        "TObjLcdBase": 27, "TObjLcdText": 28, "TObjSleep": 29, "TObjShot": 30, "TObjUart": 31, "TObjUdata": 32}

# Size of a new block and the place of its pins (x, y relative to the block, side 0 left / 1 right).
SIZE = {"TObjGatter": (50, 40), "TObjTimer": (70, 40), "TObjZaehler": (80, 60), "TObjPuls": (90, 40),
        "TObjData8": (70, 40), "TObjStrigg8": (60, 70), "TObjSregist": (70, 70), "TObjText": (50, 50),
        "TObjInc": (100, 20), "TObjTabelle": (40, 40), "TObjRsff": (50, 40), "TObjCall": (100, 50),
        "TObjMux": (80, 80), "TObjPulsIn": (60, 40), "TObjPulsOut": (80, 40), "TObjVergl": (70, 60),
        "TObjMathe": (70, 60), "TObjVrzaehl": (80, 70), "TObjGnd": (20, 30), "TObjBv": (100, 40),
        "TObjEE": (60, 60), "TObjSpl": (50, 20), "TObjLimit": (60, 60), "TObjLcdBase": (80, 50),
        "TObjLcdText": (110, 70), "TObjSleep": (60, 40), "TObjShot": (70, 40), "TObjUart": (70, 50),
        "TObjUdata": (80, 50)}
PINS = {
    "TObjGatter": {"in1": (10, 10, 0), "in2": (10, 30, 0), "in3": (10, 50, 0), "out": (40, 20, 1)},
    "TObjTimer": {"out": (60, 20, 1)},
    "TObjZaehler": {"res": (10, 10, 0), "clk": (10, 30, 0), **{f"q{i}": (70, 10 + 20 * i, 1) for i in range(8)}},
    "TObjPuls": {"in": (10, 20, 0), "out": (80, 20, 1)},
    "TObjData8": {"out": (60, 20, 1)},
    "TObjStrigg8": {"in": (10, 10, 0), "sp": (10, 40, 0), "hy": (10, 60, 0), "q": (50, 30, 1)},
    "TObjSregist": {"d": (10, 10, 0), "clk": (10, 30, 0), "res": (10, 50, 0),
                    **{f"q{i}": (60, 10 + 20 * i, 1) for i in range(8)}},
    "TObjRsff": {"set": (10, 30, 0), "reset": (10, 10, 0), "out": (40, 20, 1)},
    "TObjCall": {"in": (10, 30, 0), "out": (90, 30, 1)},
    "TObjMux": {"ch0": (10, 10, 0), "ch1": (10, 30, 0), "ch2": (10, 50, 0), "ch3": (10, 70, 0),
                "select": (10, 110, 0), "single": (70, 40, 1)},  # select: at the height less 10
    "TObjPulsIn": {"out": (50, 20, 1)},
    "TObjPulsOut": {"value": (10, 10, 0), "enable": (10, 30, 0), "out": (70, 10, 1)},
    "TObjVergl": {"a": (10, 10, 0), "b": (10, 50, 0), "out": (60, 30, 1)},
    "TObjMathe": {"a": (10, 10, 0), "b": (10, 50, 0), "result": (60, 30, 1)},
    "TObjVrzaehl": {"res": (10, 10, 0), "clk": (10, 30, 0), "direction": (10, 50, 0), "qs": (70, 10, 1),
                    **{f"q{i}": (70, 40 + 20 * i, 1) for i in range(16)}},
    "TObjGnd": {"pin": (10, 10, 1)},
    "TObjBv": {**{f"bit{i}": (10, 10 + 20 * i, 0) for i in range(16)}, "byte": (90, 20, 1)},
    "TObjEE": {"in": (10, 30, 0)},
    "TObjSpl": {"pin": (10, 10, 0)},
    "TObjLimit": {"in": (10, 30, 0), "out": (50, 30, 1), "upperFlag": (50, 10, 1), "lowerFlag": (50, 50, 1)},
    "TObjLcdText": {"value": (10, 30, 0), "in": (10, 50, 0)},
    "TObjSleep": {"in": (10, 30, 0)},
    "TObjShot": {"in": (10, 30, 0), "out": (60, 30, 1)},
    "TObjUdata": {"in": (10, 40, 0), "out": (70, 40, 1)},
}
OUTPUT_PINS = {"out", "q", "single", "result", "qs", "byte", "upperFlag", "lowerFlag"} | {f"q{i}" for i in range(16)}


class Plan:
    def __init__(self, processor_type, text):
        self.settings = {"processorType": processor_type, "oscillator": 2, "watchdog": False, "powerUpTimer": True,
                         "codeProtect": False, "pullUps": False, "brownOut": False, "clockHz": 4000000,
                         "createdAt": "2026-12-08 10:00", "changedAt": "2026-12-08 10:00"}
        self.elements = []
        self.links = []
        self.number = 0
        # A comment holds at most 255 characters: longer texts go on several lines.
        for i, line in enumerate(text if isinstance(text, list) else [text]):
            assert len(line) <= 255, line
            self.add("TObjText", 40, 10 + 22 * i, "U", text=line, fontHeight=13)

    def next_number(self):
        self.number += 1
        return self.number

    def add(self, type_, x, y, name, pins=None, height=None, **fields):
        """A block at (x, y) named `name`; `pins` maps pin keys to net names."""
        w, h = SIZE[type_]
        e = {"type": type_, "kind": KIND[type_], "x": x, "y": y, "width": w, "height": height or h,
             "number": self.next_number(), "name": name}
        e.update(fields)
        e["page"] = 0
        wires = []
        for key, net in (pins or {}).items():
            px, py, side = PINS[type_][key]
            if type_ == "TObjSpl" and fields.get("mode") == 0:
                px, side = w - 10, 1  # a destination label has its pin on the right
            pin = {"x": px, "y": py, "number": self.next_number(),
                   "name": net}
            e[key] = pin
            if net not in (".", ""):
                wires.append((pin["number"], net, side, y + py))
        self.elements.append(e)
        for pin_number, net, side, py in wires:
            nx = x - 60 if side == 0 else x + w + 40
            node = {"type": "TObjKnoten", "kind": 4, "x": nx, "y": py - 5, "page": 0, "height": 11,
                    "number": self.next_number(), "name": net}
            self.elements.append(node)
            self.links.append([node["number"], pin_number])
        return e

    def json(self):
        return {"format": "tolmek-plan", "version": 1, "settings": self.settings, "elements": self.elements,
                "links": self.links}


SLEEP_NOTE = ("The screen does not sleep. The bench lets nothing change while the chip sleeps and compares before the "
              "sleep and after the wake-up, ending before the timer, which stood still on the chip, would show it.")


def common_logic(p, col, n, table=True):
    """Gates, flip-flop, counters, shift register and the numeric blocks every part can run.

    `n` names the nets: inputs a, b (keys), clk (count clock), res (reset), dir (count down, shift data);
    outputs and, rs, cnt0, cnt1, sr0, st, cmp, upper, lower."""
    x = col
    p.add("TObjGatter", x, 100, "LG1", {"in1": n["a"], "in2": n["b"], "out": n["and"]})
    if "c" in n:
        p.add("TObjGatter", x, 180, "LG2", {"in1": n["a"], "in2": n["b"], "in3": n["c"], "out": "AXB.0"},
              gateType=2, inputCount=3, height=60)
    else:
        p.add("TObjGatter", x, 180, "LG2", {"in1": n["a"], "in2": n["b"], "out": "AXB.0"}, gateType=2)
    p.add("TObjRsff", x, 260, "RS1", {"set": n["a"], "reset": n["b"], "out": n["rs"]})
    p.add("TObjZaehler", x, 340, "ZR1", {"res": n["res"], "clk": n["clk"], "q0": n["cnt0"], "q1": n["cnt1"]},
          outputCount=2)
    p.add("TObjVrzaehl", x, 440, "ZV1", {"res": n["res"], "clk": n["clk"], "direction": n["dir"], "qs": "ZV1"},
          outputCount=0)
    p.add("TObjSregist", x, 550, "SR1", {"d": n["dir"], "clk": n["clk"], "res": n["res"], "q0": n["sr0"]})
    x = col + 280
    p.add("TObjData8", x, 100, "3", {"out": "3"})
    p.add("TObjVergl", x, 160, "IF1", {"a": "ZR1", "b": "3", "out": n["cmp"]}, compareOp=1)
    p.add("TObjMathe", x, 260, "AF1", {"a": "ZR1", "b": "ZV1", "result": "SUM"}, operation=0)
    p.add("TObjLimit", x, 360, "LM1", {"in": "SUM", "out": "LIM", "upperFlag": n["upper"],
                                       "lowerFlag": n["lower"]}, upperLimit="6", lowerLimit="1")
    p.add("TObjStrigg8", x, 460, "ST1", {"in": "ZV1", "sp": "4", "hy": "2", "q": n["st"]})
    p.add("TObjBv", x, 570, "BV1", {"bit0": n["dir"], "bit1": "AXB.0", "byte": "SEL"}, bitCount=2, height=60)
    x = col + 560
    p.add("TObjMux", x, 100, "MX1", {"ch0": "ZR1", "ch1": "ZV1", "ch2": "SUM", "ch3": "LIM", "select": "SEL",
                                     "single": "MUX"}, inputCount=4, height=120)
    if table:
        p.add("TObjTabelle", x, 260, "SQUARE", length=8, values=[i * i for i in range(8)] + list(range(8, 256)))
        p.add("TObjCall", x, 320, "SQUARE", {"in": "ZR1", "out": "SQ"})


def every_kind_877():
    p = Plan(23, ["Every kind on a 16F877. Keys RB.0 (also wakes from sleep) and RB.1; count clock RB.2, reset "
                  "RB.5, count down / shift data RB.6; sleep while RB.3 is high; pulse length measured on RB.4.",
                  "Trigger RB.7: mono-flop, one-shot, EEPROM store, UART message, LCD text.",
                  "The screen cannot show what only the chip does: the measured pulse (RB4TIME keeps its set "
                  "value), the PWM on RC.2, the LCD on port D and the serial message. The bench compares the rest.",
                  "The A/D value the bench sets reaches the chip as the voltage on AN0 that reads as that value.",
                  SLEEP_NOTE])
    n = {"a": "RB.0", "b": "RB.1", "c": "RB.4", "clk": "RB.2", "res": "RB.5", "dir": "RB.6", "and": "RC.0", "rs": "RC.1",
         "cnt0": "RD.6", "cnt1": "RD.7", "sr0": "RC.5", "st": "RE.0", "cmp": "RE.1", "upper": "RE.2",
         "lower": "RA.2"}
    common_logic(p, 100, n)
    x = 980
    p.add("TObjTimer", x, 100, "TR1", {"out": "RC.3"}, halfPeriod=200)
    p.add("TObjPuls", x, 170, "MF1", {"in": "RB.7", "out": "RC.4"}, length=100)
    p.add("TObjShot", x, 240, "OS1", {"in": "RB.7", "out": "TRIG.0"})
    p.add("TObjZaehler", x, 310, "ZR2", {"res": "RB.5", "clk": "TRIG.0", "q0": "RA.5"})
    p.add("TObjData8", x, 410, "SETP", {"out": "SETP"}, simValue=0)
    p.add("TObjEE", x, 470, "EE1", {"in": "RB.7"}, variableCount=1, variable1="SETP")
    p.add("TObjSleep", x, 560, "SL1", {"in": "RB.3"}, wakeRB0=True, wakeRB47=False)
    x = 1260
    p.add("TObjLcdBase", x, 100, "LB1", rows=2, columns=16, enablePin="RD.5", lcdPort="RD")
    p.add("TObjSpl", x, 180, "TRIGGER", {"pin": "RB.7"}, mode=1)
    p.add("TObjSpl", x, 240, "TRIGGER", {"pin": "RB.7"}, mode=0)
    p.add("TObjLcdText", x, 290, "LT1", {"in": "RB.7"}, lcdName="LB1", text="Count:", format=0)
    p.add("TObjLcdText", x, 380, "LT2", {"value": "ZR1", "in": "RB.7"}, lcdName="LB1", format=1, posX=7,
          fixedLength=1, fixedCount=3)
    p.add("TObjUart", x, 470, "UA1", uartType=0, rateIndex=2)
    p.add("TObjUdata", x, 540, "UD1", {"in": "RB.7", "out": "SENT.0"}, uartName="UA1", direction=0,
          itemCount=2, item1="ZR1", item2="ZV1")
    x = 1540
    p.add("TObjData8", x, 100, "ADC0", {"out": "ADC0"})
    p.add("TObjLcdText", x, 170, "LT3", {"value": "ADC0", "in": "RB.7"}, lcdName="LB1", format=1, posY=1,
          fixedLength=1, fixedCount=3)
    p.add("TObjPulsIn", x, 260, "PI1", {"out": "RB4TIME"}, input=0, simValue=0)
    p.add("TObjLcdText", x, 330, "LT4", {"value": "RB4TIME", "in": "RB.7"}, lcdName="LB1", format=1, posX=8,
          posY=1, fixedLength=1, fixedCount=5)
    p.add("TObjInc", x, 430, "U", file="wait4.inc", position=4, length=2)
    # The PWM below the timing blocks.
    p.add("TObjData8", 980, 660, "DUTY", {"out": "DUTY"}, width16=1, simValue=512)
    p.add("TObjGnd", 980, 730, "VCC", {"pin": "PWMON.0"}, mode=1)
    p.add("TObjPulsOut", 1200, 670, "PO1", {"value": "DUTY", "enable": "PWMON.0", "out": "RC.2"},
          pulseType=1, ccpNumber=1)
    return p


def kinds_16f84():
    p = Plan(3, ["The kinds a 16F84 can run. Keys RB.0 (also wakes from sleep) and RB.1; count clock RB.2, reset "
                 "RB.3, pulse length measured on RB.4, count down / shift data RB.5, trigger RB.6, sleep while "
                 "RB.7 is high. Left out: A/D, PWM, UART, LCD (not enough pins).",
                 "Outputs RA.0..RA.3; the other results are bits of FLAG. The pulse on RA.4 (open collector) "
                 "and the measured pulse RB4TIME are the chip's alone; the screen keeps the set values.",
                 SLEEP_NOTE])
    n = {"a": "RB.0", "b": "RB.1", "c": "RB.4", "clk": "RB.2", "res": "RB.3", "dir": "RB.5", "and": "RA.0",
         "rs": "RA.1", "cnt0": "FLAG.0", "cnt1": "FLAG.1", "sr0": "FLAG.2", "st": "FLAG.3", "cmp": "FLAG.4",
         "upper": "FLAG.5", "lower": "FLAG.6"}
    common_logic(p, 100, n)
    x = 980
    p.add("TObjTimer", x, 100, "TR1", {"out": "RA.2"}, halfPeriod=200)
    p.add("TObjPuls", x, 170, "MF1", {"in": "RB.6", "out": "RA.3"}, length=100)
    p.add("TObjShot", x, 240, "OS1", {"in": "RB.6", "out": "TRIG.0"})
    p.add("TObjZaehler", x, 310, "ZR2", {"res": "RB.3", "clk": "TRIG.0", "q0": "FLAG.7"})
    p.add("TObjData8", x, 410, "SETP", {"out": "SETP"})
    p.add("TObjEE", x, 470, "EE1", {"in": "RB.6"}, variableCount=1, variable1="SETP")
    p.add("TObjSleep", x, 560, "SL1", {"in": "RB.7"}, wakeRB0=True, wakeRB47=False)
    x = 1260
    p.add("TObjPulsIn", x, 100, "PI1", {"out": "RB4TIME"}, input=0, simValue=0)
    p.add("TObjData8", x, 170, "50", {"out": "50"})
    p.add("TObjPulsOut", x + 100, 170, "PO1", {"value": "50", "enable": "LATE.0", "out": "RA.4"}, pulseType=0)
    p.add("TObjGnd", x, 260, "GND", {"pin": "LATE.0"}, mode=0)
    p.add("TObjSpl", x, 330, "TRIGGER", {"pin": "RB.6"}, mode=1)
    p.add("TObjSpl", x + 120, 330, "TRIGGER", {"pin": "RB.6"}, mode=0)
    p.add("TObjInc", x, 400, "U", file="wait4.inc", position=4, length=2)
    return p


def kinds_12c508a():
    p = Plan(30, ["The kinds a 12C508A can run in its 25 bytes of RAM. Key GP.0 is the count clock and sets the "
                  "flip-flop; GP.1 resets it and makes the up/down counter count down and the shift register "
                  "take ones. Counter resets are tied low.",
                  "Sleep while GP.3 is high; a change on a pin wakes the part (at its reset address, keeping its "
                  "RAM). The results are bits of FLAG and the counters' values.",
                  "Left out: A/D, PWM, UART, EEPROM, pulse measurement (no such hardware, no interrupts), LCD "
                  "and pulse output (too few pins), the table and its call (with this much code the table would "
                  "lie past the first 256 words, where a 12-bit part cannot jump into it).", SLEEP_NOTE])
    p.settings["mclre"] = 1  # GP.3 is an input, not the reset pin
    n = {"a": "GP.0", "b": "GP.1", "clk": "GP.0", "res": "NONE.0", "dir": "GP.1", "and": "GP.2", "rs": "GP.4",
         "cnt0": "FLAG.0", "cnt1": "FLAG.1", "sr0": "FLAG.2", "st": "FLAG.3", "cmp": "FLAG.4",
         "upper": "FLAG.5", "lower": "FLAG.6"}
    common_logic(p, 100, n, table=False)
    x = 980
    p.add("TObjTimer", x, 100, "TR1", {"out": "GP.5"}, halfPeriod=200)
    p.add("TObjPuls", x, 170, "MF1", {"in": "GP.0", "out": "FLAG.7"}, length=100)
    p.add("TObjShot", x, 240, "OS1", {"in": "GP.0", "out": "NONE.1"})
    p.add("TObjSleep", x, 320, "SL1", {"in": "GP.3"})
    p.add("TObjGnd", x, 400, "GND", {"pin": "NONE.0"}, mode=0)
    p.add("TObjSpl", x, 460, "KEY", {"pin": "GP.0"}, mode=1)
    p.add("TObjSpl", x + 120, 460, "KEY", {"pin": "GP.0"}, mode=0)
    p.add("TObjInc", x, 520, "U", file="wait4.inc", position=4, length=2)
    return p


def main():
    plans = {"every-kind-16f877": every_kind_877(), "kinds-16f84": kinds_16f84(),
             "kinds-12c508a": kinds_12c508a()}
    tolmekc = os.environ.get("TOLMEKC", os.path.join(HERE, "..", "build", "src", "cli", "tolmekc"))
    with tempfile.TemporaryDirectory() as scratch:
        for name, plan in plans.items():
            written = os.path.join(scratch, name + ".json")
            with open(written, "w") as f:
                json.dump(plan.json(), f, indent=2)
            pic = os.path.join(EXAMPLES, name + ".pic")
            subprocess.run([tolmekc, "import", written, "-o", pic], check=True)
            # The JSON kept beside a plan is its full export, every field spelled out.
            subprocess.run([tolmekc, "export", pic, "-o", os.path.join(EXAMPLES, name + ".json")], check=True)


if __name__ == "__main__":
    main()
