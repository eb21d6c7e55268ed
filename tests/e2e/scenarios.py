"""The pupil's and the teacher's roads through the real program."""

import time

from malrechnen_e2e import Program, ScenarioFailed, extents, text_of, wait_for

PLACES = ["Einerstelle", "Zehnerstelle", "Hunderterstelle", "Tausenderstelle",
          "Zehntausenderstelle", "Hunderttausenderstelle", "Millionenstelle"]
ONE_ROW = "Einreihige Multiplikation mit Einerzahl"


def check(condition, message):
    if not condition:
        raise ScenarioFailed(message)


def open_one_row(p):
    menu = p.window("Schriftliche Multiplikation")
    p.click(p.get(menu, role="image", name="einreihig"))
    return p.window(ONE_ROW)


def read_one_row(p, win):
    """The problem on screen and the fields of its result, ones first, with their digits."""
    digits = p.state(win, ["Erste Zahl, " + PLACES[i] for i in (3, 2, 1, 0)])
    multiplier = int(text_of(p.get(win, description="Zweite Zahl")))
    product = int("".join(digits)) * multiplier
    fields = [("Ergebnis, " + PLACES[place], digit)
              for place, digit in enumerate(reversed(str(product)))]
    return int("".join(digits)), multiplier, fields


def field(p, win, description):
    return p.get(win, role="label", description=description)


def key(p, win, digit):
    return p.get(win, name=str(digit), description="Zifferntaste")


def wait_text(p, win, description, text):
    wait_for("'%s' to read '%s'" % (description, text),
             lambda: text_of(field(p, win, description)) == text)


def expect_solved(p, title):
    got_title, text, _ = p.alert()
    check(got_title == title, "solved message titled %r, not %r" % (title, got_title))
    check("Die Aufgabe wurde richtig gelöst." in text, "solved message reads %r" % text)
    p.key("Return")
    p.no_alert()


def scenario_pupil_drags_a_one_row_problem(binary, shots):
    p = Program(binary, shots)
    try:
        p.screenshot("menu")
        win = open_one_row(p)
        multiplicand, multiplier, fields = read_one_row(p, win)

        # One wrong digit on the way: refused with "Fehler", the field stays empty.
        ones, right = fields[0]
        p.drag(key(p, win, (int(right) + 1) % 10), field(p, win, ones))
        title, text, _ = p.alert()
        check(title == "Fehler", "wrong digit answered by %r" % title)
        check("Das ist leider falsch, rechne nochmal." in text, "error message reads %r" % text)
        p.key("Return")
        p.no_alert()
        wait_text(p, win, ones, "")
        check(text_of(p.get(win, description="Fehler")) == "1", "error count is not 1")

        for i, (description, digit) in enumerate(fields):
            p.drag(key(p, win, digit), field(p, win, description))
            if i < len(fields) - 1:
                wait_text(p, win, description, digit)
            if i == 1:
                p.screenshot("one_row_mid_problem")
        expect_solved(p, "Malaufgabe")

        check(text_of(p.get(win, description="Punkte")) == str(len(fields)),
              "points are not %d" % len(fields))
        # A new problem: the result boxes are empty again.
        check(all(text_of(field(p, win, d)) == "" for d, _ in read_one_row(p, win)[2]),
              "the next problem did not start empty")
    except Exception:
        report(p, "pupil_drag")
        raise
    finally:
        p.close()


def scenario_pupil_uses_keyboard_and_clicks(binary, shots):
    p = Program(binary, shots)
    try:
        win = open_one_row(p)
        # Keyboard alone: the focus starts on the ones of the result and moves on in
        # written order (carries included) after every right digit.
        x, y, w, h = extents(win)
        p.move_to(x + w - 5, y + h - 5)  # X sends the keys to the window under the pointer
        multiplicand, multiplier, fields = read_one_row(p, win)
        digits = str(multiplicand)
        carry, typed = 0, []
        for column in range(4):  # ones, tens, hundreds, thousands of the multiplicand
            value = int(digits[3 - column]) * multiplier + carry
            typed.append(str(value % 10))
            carry = value // 10
            if column < 3:
                typed.append(str(carry))  # the carry box after each of the first three digits
        if carry:
            typed.append(str(carry))
        for digit in typed:
            p.key(digit)
        expect_solved(p, "Malaufgabe")
        check(text_of(p.get(win, description="Fehler")) == "0", "typing made an error")
        check(text_of(p.get(win, description="Punkte")) == str(len(typed)), "typed points wrong")

        # Clicks alone: a key, then a field.
        multiplicand, multiplier, fields = read_one_row(p, win)
        for description, digit in fields:
            p.click(key(p, win, digit))
            p.click(field(p, win, description))
        expect_solved(p, "Malaufgabe")
        check(text_of(p.get(win, description="Fehler")) == "0", "clicking made an error")
    except Exception:
        report(p, "pupil_keyboard_clicks")
        raise
    finally:
        p.close()


def scenario_quit_question(binary, shots):
    p = Program(binary, shots)
    try:
        menu = p.window("Schriftliche Multiplikation")
        p.click(p.get(menu, role="image", name="Ende"))
        title, text, _ = p.alert()
        check(title == "Schriftliche Multiplikation", "quit question titled %r" % title)
        check("Dieses Programm jetzt beenden?" in text, "quit question reads %r" % text)
        p.key("Return")  # No is the default button
        p.no_alert()
        time.sleep(0.2)
        check(p.process.poll() is None, "No ended the program")
        p.window("Schriftliche Multiplikation")

        p.click(p.get(menu, role="image", name="Ende"))
        p.alert()
        p.key("alt+j")  # "Ja"
        wait_for("the program to end", lambda: p.process.poll() is not None)
        check(p.process.returncode == 0, "exit status %s" % p.process.returncode)
    except Exception:
        report(p, "quit")
        raise
    finally:
        p.close()


def report(p, name):
    try:
        path = p.screenshot("FAILED-" + name)
        print("  screenshot: " + path)
        print(p.describe_screen())
    except Exception as error:  # the report must not hide the failure
        print("  (no screen report: %s)" % error)
