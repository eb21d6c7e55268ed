"""The pupil's and the teacher's roads through the real program."""

import contextlib
import glob
import os
import pwd
import shutil
import socket
import subprocess
import tempfile
import time

import pyatspi

from malrechnen_e2e import Program, ScenarioFailed, extents, text_of, wait_for, xdotool

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
    with running(binary, shots, "pupil_drag") as p:
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


def scenario_pupil_uses_keyboard_and_clicks(binary, shots):
    with running(binary, shots, "pupil_keyboard_clicks") as p:
        win = open_one_row(p)
        # Keyboard alone: the focus starts on the ones of the result and moves on in
        # written order (carries included, but for a carry of 0) after every right digit.
        p.point_at(win)
        multiplicand, multiplier, fields = read_one_row(p, win)
        typed = one_row_keystrokes(multiplicand, multiplier)
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
        full_screen_shot(p, ONE_ROW, "one_row_full_screen")


def no_alert_appears(p, what):
    """Waits a moment: no message box may come up."""
    time.sleep(1.0)
    check(not any(w.getRoleName() == "alert" or p.find(w, role="alert") for w in p.windows()),
          what)


def one_row_carries(multiplicand, multiplier):
    """The carries out of the ones, tens and hundreds column."""
    digits, carry, carries = str(multiplicand), 0, []
    for column in range(3):
        carry = (int(digits[3 - column]) * multiplier + carry) // 10
        carries.append(str(carry))
    return carries


def scenario_pupil_writes_every_zero_and_digit(binary, shots):
    with running(binary, shots, "pupil_zeros") as p:
        # "mal Z": the result is not complete before its trailing zero is written.
        win = open_one_row(p)
        p.click(p.get(win, role="check box", name="mal Z"))
        win = p.window("Einstellige Multiplikation mit Zehnerzahl")
        multiplicand, multiplier, _ = read_one_row(p, win)
        written = [("Ergebnis, " + PLACES[place], digit)
                   for place, digit in enumerate(reversed(str(multiplicand * multiplier * 10)))]
        zero_box, zero = written[0]
        check(zero == "0", "the zero box expects %r" % zero)
        for description, digit in written[1:]:
            p.drag(key(p, win, digit), field(p, win, description))
            wait_text(p, win, description, digit)
        no_alert_appears(p, "solved with the zero box empty")
        check(text_of(field(p, win, zero_box)) == "", "the zero box is not empty")
        p.drag(key(p, win, "0"), field(p, win, zero_box))
        expect_solved(p, "Malaufgabe")

        # "Lücke": the carries stand over their columns; a digit of the problem knocked out
        # by a wrong drop must be written again before the problem counts.
        p.click(p.get(win, role="check box", name="Lücke"))
        p.get(win, description="Zweite Zahl, erste Null")
        time.sleep(0.3)
        p.screenshot("one_row_gap_problem")
        shown_multiplier = text_of(p.get(win, description="Zweite Zahl"))
        m = int(shown_multiplier)
        factor = [p.get(win, description="Erste Zahl, " + PLACES[i]) for i in (3, 2, 1, 0)]
        result = [p.find(win, description="Ergebnis, " + PLACES[place]) for place in range(6)]
        result = [node for node in result if node is not None]

        def fits(x):
            digits = "".join(text_of(n) or x for n in factor)
            product = str(int(digits) * m * 10)[::-1]
            return (digits[0] != "0" and len(product) == len(result)
                    and all(text_of(n) in ("", d) for n, d in zip(result, product)))

        candidates = [x for x in "0123456789" if fits(x)]
        check(len(candidates) == 1, "the gap problem fits %s" % candidates)
        multiplicand = int("".join(text_of(n) or candidates[0] for n in factor))
        product = str(multiplicand * m * 10)[::-1]
        carries = one_row_carries(multiplicand, m)
        for column, name in enumerate(["Einerspalte", "Zehnerspalte", "Hunderterspalte"]):
            shown = text_of(p.get(win, description="Übertrag der " + name))
            check(shown == carries[column], "carry of the %s reads %r, not %r"
                  % (name, shown, carries[column]))

        multiplier_field = p.get(win, description="Zweite Zahl")
        p.drag(key(p, win, (m + 1) % 10), multiplier_field)
        title, _, _ = p.alert()
        check(title == "Fehler", "a wrong multiplier answered by %r" % title)
        p.key("Return")
        p.no_alert()
        wait_text(p, win, "Zweite Zahl", "")

        gaps = [(n.description, str(multiplicand)[i]) for i, n in enumerate(factor) if text_of(n) == ""]
        gaps += [(n.description, product[place]) for place, n in enumerate(result) if text_of(n) == ""]
        # Three gaps; one of them may be the fifth digit of a four-digit partial product,
        # which is not shown.
        check(len(gaps) == 3 or (len(gaps) == 2 and len(product) == 5), "%d gaps" % len(gaps))
        for description, digit in gaps:
            p.drag(key(p, win, digit), field(p, win, description))
            wait_text(p, win, description, digit)
        no_alert_appears(p, "solved with the multiplier knocked out")
        p.drag(key(p, win, m), p.get(win, description="Zweite Zahl"))
        expect_solved(p, "Lückenaufgabe")


def one_row_keystrokes(multiplicand, multiplier):
    """The digits a pupil types for a one-row problem in written order: each result digit
    followed by the carry it leaves, unless that is 0 (the focus moves on by itself and
    passes a carry box of 0, which an exercise book leaves empty)."""
    digits = str(multiplicand)
    carry, typed = 0, []
    for column in range(4):
        value = int(digits[3 - column]) * multiplier + carry
        typed.append(str(value % 10))
        carry = value // 10
        if column < 3 and carry:
            typed.append(str(carry))
    if carry:
        typed.append(str(carry))
    return typed


def open_trainer(p, picture, title):
    menu = p.window("Schriftliche Multiplikation")
    p.click(p.get(menu, role="image", name=picture))
    return p.window(title)


def read_operands(p, win, multiplier_digits):
    multiplicand = int("".join(p.state(win, ["Erste Zahl, " + PLACES[i] for i in (3, 2, 1, 0)])))
    multiplier = int("".join(
        p.state(win, ["Zweite Zahl, " + PLACES[i] for i in reversed(range(multiplier_digits))])))
    return multiplicand, multiplier


COLUMNS = [place.replace("stelle", "spalte") for place in PLACES]


def rows_answer(multiplicand, multiplier, digits, carries=False):
    """Description -> digit for every field of a written multiplication with `digits`
    partial products and the sum, in written order; with `carries` each digit of the sum is
    followed by the carry it leaves over the next column."""
    answer = {}
    text = str(multiplier)
    values = [multiplicand * int(text[row]) * 10 ** (digits - 1 - row) for row in range(digits)]
    for row, value in enumerate(values):
        for place, digit in enumerate(reversed(str(value))):
            answer["%d. Teilprodukt, %s" % (row + 1, PLACES[place])] = digit
    total = str(sum(values))
    carry = 0
    for place, digit in enumerate(reversed(total)):
        answer["Ergebnis, " + PLACES[place]] = digit
        carry = (sum(value // 10 ** place % 10 for value in values) + carry) // 10
        if carries and place + 1 < len(total):
            answer["Übertrag der " + COLUMNS[place]] = str(carry)
    return answer


def fill_rows(p, win, answer, only_empty, shot=None):
    """Drags the right key onto every shown field (or every empty one) of the answer."""
    todo = []
    for description, digit in answer.items():
        node = p.find(win, role="label", description=description)
        if node is not None and (not only_empty or text_of(node) == ""):
            todo.append((description, digit))
    check(todo, "no field to fill")
    for i, (description, digit) in enumerate(todo):
        p.drag(key(p, win, digit), field(p, win, description))
        if i < len(todo) - 1:
            wait_text(p, win, description, digit)
        if shot and i == len(todo) // 2:
            p.screenshot(shot)
            shot = None
    return len(todo)


def full_screen_shot(p, title, name):
    window_id = subprocess.run(["xdotool", "search", "--name", "^%s$" % title], check=True,
                               capture_output=True, text=True).stdout.split()[0]
    xdotool("windowmove", window_id, 0, 0)
    xdotool("windowsize", window_id, 1280, 1024)
    win = p.window(title)
    wait_for("the window to fill the screen", lambda: extents(win)[2] >= 1280)
    time.sleep(0.3)
    p.screenshot(name)


def scenario_pupil_solves_two_and_three_rows(binary, shots):
    with running(binary, shots, "two_three_rows") as p:
        # Two-row trainer in the staircase display: no zero is written under the tens. The
        # pupil writes the carries of the addition small above the rule, as in the exercise
        # book: 16 digits and 5 carries.
        win = open_trainer(p, "zweireihig", "Zweireihige Multiplikation")
        p.click(p.get(win, role="push button", name="Treppe"))
        p.get(win, role="push button", name="Bündig")
        multiplicand, multiplier = read_operands(p, win, 2)
        answer = rows_answer(multiplicand, multiplier, 2, carries=True)
        filled = fill_rows(p, win, answer, only_empty=False, shot="two_row_mid_problem")
        check(filled == 21, "the staircase shows %d fields, not 21" % filled)
        expect_solved(p, "Malaufgabe")
        check(text_of(p.get(win, description="Fehler")) == "0", "a carry of the addition was refused")
        check(text_of(p.get(win, description="Punkte")) == "21", "two-row points are not 21")
        full_screen_shot(p, "Zweireihige Multiplikation", "two_row_full_screen")
        p.click(p.get(win, role="push button", name="Ende"))

        # Three-row trainer, gap problem: the nine blanks. A mode button stays pressed, so the
        # accessibility bus shows it as a check box.
        win = open_trainer(p, "dreireihig", "Dreireihige Multiplikation")
        p.click(p.get(win, role="check box", name="Lücke"))
        multiplicand, multiplier = read_operands(p, win, 3)
        answer = rows_answer(multiplicand, multiplier, 3)
        filled = fill_rows(p, win, answer, only_empty=True, shot="three_row_mid_gap_problem")
        check(filled == 9, "the gap problem has %d blanks, not 9" % filled)
        expect_solved(p, "Lückenaufgabe")
        check(text_of(p.get(win, description="Punkte")) == "9", "three-row points are not 9")


def scenario_pupil_earns_both_rewards(binary, shots):
    with running(binary, shots, "rewards") as p:
        win = open_one_row(p)
        p.point_at(win)
        solved = 0
        while solved < 18:
            multiplicand, multiplier, _ = read_one_row(p, win)
            for digit in one_row_keystrokes(multiplicand, multiplier):
                p.key(digit)
            expect_solved(p, "Malaufgabe")
            solved += 1
            catching = p.find(win, description="Belohnung: Zahlfange")
            if catching is not None:
                # Zahlfange: the digits jump about; the pupil leaves with Escape and Ja.
                p.click(catching)
                game = p.window("Zahlfange")
                time.sleep(0.5)
                p.screenshot("zahlfange")
                p.point_at(game)
                p.key("Escape")
                title, text, _ = p.alert()
                check("Dieses Spiel jetzt beenden?" in text, "Zahlfange asks %r" % text)
                p.key("alt+j")
                p.no_alert()
                win = p.window(ONE_ROW)
                p.point_at(win)
        memory = p.get(win, description="Belohnung: Memory")
        p.click(memory)
        game = p.window("Memory")
        cards = [n for n in __import__("malrechnen_e2e").walk(game)
                 if n.getRoleName() == "label" and (n.description or "").startswith("Feld")]
        for card in cards[:2]:
            p.click(card)
        time.sleep(0.3)
        p.screenshot("memory")
        p.click(p.get(game, role="push button", name="Ende"))
        p.alert()
        p.key("alt+j")
        p.no_alert()
        p.window(ONE_ROW)


ONE_ROW_PRODUCT_LINES = {2: "_____   _____   _____   _____   _____   _____",
                         7: "_____   _____   _____   _____   _____   _____",
                         12: "_____   _____   _____   _____   _____   _____",
                         18: "______  ______  ______  ______  ______  ______",
                         23: "______  ______  ______  ______  ______  ______",
                         29: "_______   _______   _______   _______   _______",
                         34: "_______   _______   _______   _______   _______"}


def printed_pdfs():
    """The PDF printer's files, with their times (it reuses names from one server to the next)."""
    folder = os.path.join(pwd.getpwuid(os.getuid()).pw_dir, "PDF")
    return {(path, os.stat(path).st_mtime_ns) for path in glob.glob(os.path.join(folder, "*.pdf"))}


def scenario_teacher_prints_and_copies(binary, shots):
    with running(binary, shots, "teacher") as p:
        win = open_one_row(p)
        p.click(p.get(win, role="push button", name="Blatt"))
        sheet = wait_for("the sheet in the list", lambda: len(p.list_lines(win)) == 37 and p.list_lines(win))
        p.screenshot("one_row_worksheet")
        before = printed_pdfs()

        # The lock is on: a wrong password prints nothing and says nothing.
        p.click(p.get(win, role="push button", name="Lösungen drucken"))
        dialog = wait_for("the password box",
                          lambda: next((w for w in p.windows() if w.name == "Druckersperre aufheben"), None))
        p.point_at(dialog)
        xdotool("type", "--delay", "20", "999")
        p.key("Return")
        wait_for("the password box to close",
                 lambda: not any(w.name == "Druckersperre aufheben" for w in p.windows()))
        time.sleep(0.5)
        check(not any(w.name == "Einreihige Multiplikation" for w in p.windows()), "asked to print")
        check(printed_pdfs() == before, "a wrong password printed")

        # The right password is the points shown: 0. Then Yes, and the sheet is printed.
        p.click(p.get(win, role="push button", name="Lösungen drucken"))
        dialog = wait_for("the password box",
                          lambda: next((w for w in p.windows() if w.name == "Druckersperre aufheben"), None))
        p.point_at(dialog)
        xdotool("type", "--delay", "20", "0")
        p.key("Return")
        title, text, _ = p.alert()
        check("Das Lösungsblatt jetzt ausdrucken?" in text, "print question reads %r" % text)
        p.key("alt+j")
        title, text, _ = p.alert("Drucken")
        check("Das Lösungsblatt wird gedruckt ..." in text,
              "after printing: %r %r" % (title, text))
        p.key("Return")
        p.no_alert()
        pdf = wait_for("the printed PDF", lambda: next(iter(printed_pdfs() - before), None))[0]
        wait_for("the PDF to be complete", lambda: subprocess.run(
            ["pdfinfo", pdf], capture_output=True).returncode == 0, timeout=30)
        printed = subprocess.run(["pdftotext", "-layout", pdf, "-"], check=True, capture_output=True,
                                 text=True).stdout
        subprocess.run(["pdftoppm", "-png", "-r", "60", "-f", "1", "-l", "1", pdf,
                        os.path.join(shots, "printed_page")], check=True)
        # pdftotext guesses the blanks between words from their positions: compare the words
        # of every line.
        printed_lines = [line.split() for line in printed.splitlines() if line.strip()]
        expected = [l.split() for l in ["Einreihige Multiplikation (Lösungsblatt)"] + sheet if l.strip()]
        check(printed_lines == expected,
              "printed sheet differs:\n%s\n---\n%s" % (printed_lines, expected))

        # "Kopieren": another program reads the clipboard, byte for byte.
        p.click(p.get(win, role="push button", name="Kopieren"))
        title, text, _ = p.alert()
        check(title == "Zwischenablage", "copy message titled %r" % title)
        problems = [ONE_ROW_PRODUCT_LINES.get(i, line) for i, line in enumerate(sheet)]
        expected_text = "".join(l + "\r\n" for l in problems) + "\r\n\r\n" + "".join(l + "\r\n" for l in sheet)
        copied = subprocess.run(["xclip", "-o", "-selection", "clipboard"], check=True,
                                capture_output=True).stdout
        check(copied == expected_text.encode("utf-8"), "clipboard text differs")
        p.key("Return")
        p.no_alert()


def scenario_print_server_hangs(binary, shots):
    """A print server that takes the connection and never says a word: while the printer is
    asked the trainer keeps answering, then the teacher reads why nothing was printed; and
    "Ende" while a print is pending ends the program at once."""
    folder = tempfile.mkdtemp()
    silent = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    silent.bind(os.path.join(folder, "cups.sock"))
    silent.listen(64)  # connections wait in the queue, never accepted, never answered
    saved = os.environ.get("CUPS_SERVER")
    os.environ["CUPS_SERVER"] = os.path.join(folder, "cups.sock")
    try:
        with running(binary, shots, "print-server-hangs") as p:
            if saved is not None:
                os.environ["CUPS_SERVER"] = saved
            win = open_one_row(p)
            p.click(p.get(win, role="push button", name="Blatt"))
            wait_for("the sheet in the list", lambda: len(p.list_lines(win)) == 37)

            def print_sheet():
                p.click(p.get(win, role="push button", name="Aufgaben drucken"))
                dialog = wait_for("the password box", lambda: next(
                    (w for w in p.windows() if w.name == "Druckersperre aufheben"), None))
                p.point_at(dialog)
                xdotool("type", "--delay", "20", "0")
                p.key("Return")
                _, text, _ = p.alert()
                check("Das Rechenblatt jetzt ausdrucken?" in text, "print question reads %r" % text)
                p.key("alt+j")
                p.no_alert()
                return time.monotonic()

            asked = print_sheet()
            # The window answers while the printer is asked: the screen reader reads it and a
            # click on "Blatt" deals a new sheet.
            lines = p.list_lines(win)
            p.click(p.get(win, role="push button", name="Blatt"))
            wait_for("a new sheet while printing", lambda: p.list_lines(win) != lines)
            check(time.monotonic() - asked < 4, "the window answered only after %.1f s"
                  % (time.monotonic() - asked))
            p.screenshot("print_pending")
            title, text, _ = p.alert("Drucken")
            check("Der Drucker antwortet nicht" in text and "Sekunden" in text,
                  "after a silent server: %r" % text)
            check("Das Rechenblatt wurde nicht gedruckt." in text, "after a silent server: %r" % text)
            check("wird gedruckt" not in text, "claimed printed: %r" % text)
            p.screenshot("print_server_silent")
            p.key("Return")
            p.no_alert()

            # "Ende" of the trainer and of the menu while the printer is asked.
            asked = print_sheet()
            p.click(p.get(win, role="push button", name="Ende"))
            menu = p.window("Schriftliche Multiplikation")
            p.click(p.get(menu, role="image", name="Ende"))
            _, text, _ = p.alert()
            check("Dieses Programm jetzt beenden?" in text, "quit question reads %r" % text)
            p.key("alt+j")
            wait_for("the program to end", lambda: p.process.poll() is not None)
            check(time.monotonic() - asked < 5, "the program ended %.1f s after the print began"
                  % (time.monotonic() - asked))
            check(p.process.returncode == 0, "exit status %s" % p.process.returncode)
    finally:
        if saved is None:
            os.environ.pop("CUPS_SERVER", None)
        else:
            os.environ["CUPS_SERVER"] = saved
        silent.close()
        shutil.rmtree(folder, ignore_errors=True)


def scenario_quit_question(binary, shots):
    with running(binary, shots, "quit") as p:
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


def hint_line(p, win, starting="Tipp:"):
    """The shown hint line whose accessible name starts with `starting`, or None."""
    from malrechnen_e2e import walk, showing
    return next((n for n in walk(win) if n.getRoleName() == "label"
                 and (n.name or "").startswith(starting) and showing(n)), None)


def scenario_pupil_forgets_the_carry_teacher_reads_the_report(binary, shots):
    with running(binary, shots, "forgotten_carry") as p:
        win = open_one_row(p)
        # A problem whose ones column carries.
        for _ in range(40):
            multiplicand, multiplier, fields = read_one_row(p, win)
            if (multiplicand % 10) * multiplier >= 10:
                break
            p.click(p.get(win, role="push button", name="Neue Aufgabe"))
        ones_digit, tens_digit = multiplicand % 10, multiplicand // 10 % 10
        check(ones_digit * multiplier >= 10, "no problem with a carry in 40 draws")
        (ones, right_ones), (tens, right_tens) = fields[0], fields[1]
        forgotten = tens_digit * multiplier % 10

        p.drag(key(p, win, right_ones), field(p, win, ones))
        wait_text(p, win, ones, right_ones)
        for attempt in range(2):
            p.drag(key(p, win, forgotten), field(p, win, tens))
            title, _, _ = p.alert()
            check(title == "Fehler", "the forgotten carry was answered by %r" % title)
            check(hint_line(p, win) is None or attempt == 1, "the hint came before the box closed")
            p.key("Return")
            p.no_alert()
            if attempt == 0:
                hint = wait_for("the hint line", lambda: hint_line(p, win, "Tipp: Zehnerspalte"))
                check("Hast du den Übertrag vergessen?" in hint.name, "hint reads %r" % hint.name)
                check("schreibe" not in hint.name, "the first hint gives the answer: %r" % hint.name)
                p.screenshot("hint_step")
            else:
                wait_for("the worked step", lambda: hint_line(p, win, "Tipp: %d · %d = " % (tens_digit, multiplier)))
                p.screenshot("hint_worked")
        p.drag(key(p, win, right_tens), field(p, win, tens))
        wait_for("the hint to go", lambda: hint_line(p, win) is None)

        p.click(p.get(win, role="push button", name="Ende"))
        menu = p.window("Schriftliche Multiplikation")
        p.click(p.get(menu, role="image", name="Info"))
        info = p.window("Programm-Info")
        p.click(p.get(info, role="push button", name="Auswertung"))
        report_window = p.window("Auswertung")
        view = p.get(report_window, role="text")
        text = wait_for("the report", lambda: view.queryText().getText(0, -1))
        check("Fehler nach Art: Übertrag vergessen 2" in text, "report reads %r" % text)
        check("Auffällig" not in text, "two errors made a claim: %r" % text)
        p.screenshot("report")


def rounded(value):
    """`value` rounded to its first digit, by the digit after it (5 and more up)."""
    digits = str(value)
    first = int(digits[0]) + (1 if int(digits[1]) >= 5 else 0)
    return first * 10 ** (len(digits) - 1)


def grouped(value):
    """210000 as the hints write it: "210 000"."""
    digits = str(value)
    groups = []
    while digits:
        groups.insert(0, digits[-3:])
        digits = digits[:-3]
    return " ".join(groups)


def switch_on(p, caption):
    """The teacher ticks a switch of the run in the info window and closes it with "O k a y"."""
    menu = p.window("Schriftliche Multiplikation")
    p.click(p.get(menu, role="image", name="Info"))
    info = p.window("Programm-Info")
    switch = wait_for("the switch " + caption, lambda: next(
        (n for n in __import__("malrechnen_e2e").walk(info)
         if n.getRoleName() == "check box" and (n.name or "").strip() == caption), None))
    p.click(switch)
    wait_for("the switch on", lambda: switch.getState().contains(pyatspi.STATE_CHECKED))
    p.click(p.get(info, role="label", name="O k a y"))
    wait_for("the info window to close", lambda: not any(w.name == "Programm-Info" for w in p.windows()))


def scenario_pupil_makes_the_estimate_first(binary, shots):
    with running(binary, shots, "estimate") as p:
        # The teacher ticks "Überschlag rechnen" in the info window.
        switch_on(p, "Überschlag rechnen")

        # The pupil rounds the multiplicand, multiplies by the multiplier as written, and
        # only then computes: the problem is solved with the last digit of the result.
        win = open_one_row(p)
        multiplicand, multiplier, fields = read_one_row(p, win)
        estimate = rounded(multiplicand) * multiplier
        line = [("Überschlag, erste Zahl gerundet, " + PLACES[place], digit)
                for place, digit in reversed(list(enumerate(reversed(str(rounded(multiplicand))))))]
        line += [("Überschlag, Ergebnis, " + PLACES[place], digit)
                 for place, digit in reversed(list(enumerate(reversed(str(estimate)))))]
        check(text_of(p.get(win, description="Überschlag, zweite Zahl gerundet, Einerstelle")) == str(multiplier),
              "the multiplier does not stand in the Überschlag as written")
        for description, digit in line:
            p.drag(key(p, win, digit), field(p, win, description))
            wait_text(p, win, description, digit)
        hint = wait_for("the estimate in the hint line",
                        lambda: hint_line(p, win, "Tipp: Das Ergebnis muss ungefähr"))
        check(hint.name == "Tipp: Das Ergebnis muss ungefähr %s sein." % grouped(estimate),
              "the hint line reads %r" % hint.name)
        p.screenshot("one_row_estimate")
        no_alert_appears(p, "solved before the result was written")
        for i, (description, digit) in enumerate(fields):
            p.drag(key(p, win, digit), field(p, win, description))
            if i < len(fields) - 1:
                wait_text(p, win, description, digit)
        expect_solved(p, "Malaufgabe")
        check(text_of(p.get(win, description="Punkte")) == str(len(line) + len(fields)),
              "points are not %d" % (len(line) + len(fields)))
        check(text_of(field(p, win, line[0][0])) == "", "the next problem's Überschlag did not start empty")


def carries_into(multiplicand, multiplier):
    """The carry that comes into each column of multiplicand · multiplier, ones first."""
    carries = [0]
    for x in reversed(str(multiplicand)):
        carries.append((int(x) * multiplier + carries[-1]) // 10)
    return carries


def carried_columns(multiplicand, multiplier):
    """How many of the tens, hundreds and thousands a carry comes into."""
    return sum(1 for c in carries_into(multiplicand, multiplier)[1:4] if c > 0)


def one_row_carried_columns_expected():
    """carried_columns averaged over the one-row trainer's own draws: thousands and ones 1-9,
    hundreds and tens 0-9, the multiplier 2-9, all equally likely."""
    counts = [carried_columns(1000 * a + 100 * b + 10 * c + d, m)
              for a in range(1, 10) for b in range(10) for c in range(10) for d in range(1, 10)
              for m in range(2, 10)]
    return sum(counts) / len(counts)


def scenario_child_forgets_the_carry_problems_fit_the_child(binary, shots):
    with running(binary, shots, "fitting_child") as p:
        switch_on(p, "Aufgaben passend zum Kind auswählen")

        # The child forgets every carry that comes into a column: it writes the digit of the
        # times-table fact alone (in the leading digit the tens of the last fact alone),
        # hears "Fehler", then writes the right one.
        win = open_one_row(p)
        forgotten_on = 0
        for _ in range(12):
            multiplicand, multiplier, fields = read_one_row(p, win)
            carries = carries_into(multiplicand, multiplier)
            forgot = False
            for place, (description, digit) in enumerate(fields):
                alone = None
                if 1 <= place <= 3 and carries[place] > 0:
                    alone = int(str(multiplicand)[3 - place]) * multiplier % 10
                elif place == 4 and carries[3] > 0:
                    alone = int(str(multiplicand)[0]) * multiplier // 10
                if alone is not None and str(alone) != digit:
                    p.drag(key(p, win, alone), field(p, win, description))
                    title, _, _ = p.alert()
                    check(title == "Fehler", "the forgotten carry was answered by %r" % title)
                    p.key("Return")
                    p.no_alert()
                    forgot = True
                p.drag(key(p, win, digit), field(p, win, description))
                if place < len(fields) - 1:
                    wait_text(p, win, description, digit)
            expect_solved(p, "Malaufgabe")
            forgotten_on += forgot
            if forgotten_on == 3:
                break
        check(forgotten_on == 3, "only %d of 12 problems had a carry to forget" % forgotten_on)

        # The report names the pattern and the skills.
        p.click(p.get(win, role="push button", name="Ende"))
        p.click(p.get(p.window("Schriftliche Multiplikation"), role="image", name="Info"))
        info = p.window("Programm-Info")
        p.click(p.get(info, role="push button", name="Auswertung"))
        report_window = p.window("Auswertung")
        view = p.get(report_window, role="text")
        text = wait_for("the report", lambda: view.queryText().getText(0, -1))
        lines = text.splitlines()
        check(any(l.startswith("  Auffällig: „Übertrag vergessen“") for l in lines),
              "no pattern named: %r" % text)
        check(any(l.startswith("  Übt noch:") and "Übertrag beim Malnehmen" in l for l in lines),
              "carrying not among the skills practised: %r" % text)
        check(any(l.startswith("  Einmaleins:") for l in lines), "no times-table facts: %r" % text)
        p.get(report_window, name="Einmaleins")
        p.get(report_window, name="Fehler nach Art")
        time.sleep(0.3)
        p.screenshot("fitting_report")
        p.click(p.get(report_window, role="push button", name="Schließen"))
        p.click(p.get(info, role="label", name="O k a y"))

        # The next problems carry into more columns than the trainer's own draws do.
        win = open_one_row(p)
        columns = []
        for i in range(16):
            if i:
                before = read_one_row(p, win)[:2]
                p.click(p.get(win, role="push button", name="Neue Aufgabe"))
                try:
                    wait_for("a new problem", lambda: read_one_row(p, win)[:2] != before, timeout=3)
                except ScenarioFailed:
                    pass  # the same problem again, as it may come
            columns.append(carried_columns(*read_one_row(p, win)[:2]))
        chosen, drawn = sum(columns) / len(columns), one_row_carried_columns_expected()
        print("  carried columns per problem: %.2f chosen, %.2f drawn" % (chosen, drawn), flush=True)
        check(chosen > drawn, "the chosen problems carry in %.2f columns, drawn ones %.2f"
              % (chosen, drawn))


@contextlib.contextmanager
def running(binary, shots, name):
    """One run of the program; a failure leaves a screenshot and the texts on screen."""
    p = Program(binary, shots)
    try:
        yield p
    except Exception:
        report(p, name)
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
