#!/usr/bin/env python3
"""Reads the window as a screen reader does, over the desktop's accessibility bus (AT-SPI).

Usage: atspi_read_window.py <program> <order text file, UTF-8> <reading file>

Run inside its own session bus (dbus-run-session) and X display (xvfb-run). Starts the program,
puts the order into the order box and presses "IMPORTUJ OSOBY" through the bus, then writes one
line per thing read into the reading file (the bus's own services print to the same output):
the window and its title on the display, the named controls, the grid as a table, what is
announced after the import, and what the focus tells when the clerk moves to the next row. Exits with 77 and a message when the accessibility bus cannot be reached.
"""
import os
import subprocess
import sys
import time

SKIP = 77


def wait_for(what, find, seconds=30):
    from gi.repository import GLib
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        # The bus's events reach the listeners through the main loop.
        while GLib.MainContext.default().iteration(False):
            pass
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"atspi_read_window: {what} did not appear")


def walk(node):
    yield node
    for index in range(node.get_child_count()):
        child = node.get_child_at_index(index)
        if child is not None:
            yield from walk(child)


def main():
    program, order_file = sys.argv[1], sys.argv[2]
    reading = open(sys.argv[3], "w", encoding="utf-8")

    def say(*values):
        print(*values, file=reading, flush=True)

    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        desktop = Atspi.get_desktop(0)
        desktop.get_child_count()
    except Exception as error:  # no bindings, no bus: nothing to read with
        say(f"the accessibility bus cannot be reached: {error}")
        return SKIP

    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    window_program = subprocess.Popen([program], env=environment)
    try:
        def application():
            for index in range(desktop.get_child_count()):
                app = desktop.get_child_at_index(index)
                if app is not None and app.get_process_id() == window_program.pid:
                    return app
            return None

        app = wait_for("the program on the bus", application)
        window = wait_for("the window", lambda: app.get_child_count() > 0 and
                          app.get_child_at_index(0))
        say("window", window.get_role_name(), window.get_name())
        shown = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                str(window_program.pid)], capture_output=True, text=True).stdout
        for x_window in shown.split():
            say("title", subprocess.run(["xdotool", "getwindowname", x_window],
                                          capture_output=True, text=True).stdout.strip())

        nodes = list(walk(window))
        named = {node.get_name(): node for node in nodes if node.get_name()}
        for name in ("Treść rozkazu kierującego do PKW", "WKLEJ ROZKAZ",
                     "IMPORTUJ OSOBY", "ZAPISZ DO PLIKU", "USUŃ OSOBĘ", "Minimalizuj",
                     "Zamknij"):
            if name in named:
                say("control", named[name].get_role_name(), name)

        heard = []

        def hear(event):
            source = event.source
            if event.type.startswith("object:state-changed:showing") and event.detail1 and \
                    source.get_role() == Atspi.Role.NOTIFICATION:
                heard.append(("announced", source.get_name()))
            elif event.type.startswith("object:state-changed:focused") and event.detail1:
                heard.append(("focus", f"{source.get_role_name()}: {source.get_name()}; "
                              f"{source.get_description()}"))

        listener = Atspi.EventListener.new(hear)
        listener.register("object:state-changed:showing")
        listener.register("object:state-changed:focused")

        box = named["Treść rozkazu kierującego do PKW"]
        with open(order_file, encoding="utf-8") as order:
            Atspi.EditableText.set_text_contents(box, order.read())
        Atspi.Action.do_action(named["IMPORTUJ OSOBY"], 0)

        grid = wait_for("the grid", lambda: next(
            (node for node in walk(window) if node.get_role() == Atspi.Role.TABLE), None))
        table = Atspi.Table
        wait_for("the imported rows", lambda: table.get_n_rows(grid) > 0)
        rows, columns = table.get_n_rows(grid), table.get_n_columns(grid)
        say("table", grid.get_name(), rows, "x", columns)
        say("titles", "|".join(table.get_column_header(grid, column).get_name()
                                 for column in range(columns)))
        for row in range(rows):
            say("row", row, "|".join(table.get_accessible_at(grid, row, column).get_name()
                                       for column in range(columns)))
        say("selected", list(table.get_selected_rows(grid)))
        cell = table.get_accessible_at(grid, 0, 1)
        say("cell", cell.get_role_name(), cell.get_name(),
              "selected" if cell.get_state_set().contains(Atspi.StateType.SELECTED) else "")
        counter = next(node for node in walk(window) if node.get_name().startswith("osoba "))
        say("counter", counter.get_role_name(), counter.get_name())

        for kind, text in wait_for("the announcement", lambda: [
                entry for entry in heard if entry[0] == "announced"]):
            say(kind, text)
        for x_window in shown.split():
            subprocess.run(["xdotool", "windowfocus", "--sync", x_window])
        heard.clear()
        subprocess.run(["xdotool", "key", "--clearmodifiers", "Tab"])
        subprocess.run(["xdotool", "key", "--clearmodifiers", "Down"])
        focus = wait_for("the next row's focus", lambda: [
            text for kind, text in heard if kind == "focus" and "TESTOWY2" in text])
        say("focus", focus[-1])

        # Ctrl+K from the order box, the caret inside a person line: the row is confirmed (one
        # row fewer to check) and the order's text stays as it was, though Qt's text boxes take
        # the key for "delete to the line's end" here.
        def order_text():
            return Atspi.Text.get_text(box, 0, Atspi.Text.get_character_count(box))
        before = order_text()
        subprocess.run(["xdotool", "key", "--clearmodifiers", "alt+t", "ctrl+Home", "Down",
                        "End", "Left", "Left", "ctrl+k"])
        for kind, text in wait_for("the confirmation", lambda: [
                entry for entry in heard if entry == ("announced", "Do sprawdzenia: 1")]):
            say(kind, text)
        say("order text after Ctrl+K", "unchanged" if order_text() == before else "CHANGED")
        return 0
    finally:
        window_program.terminate()
        window_program.wait()


if __name__ == "__main__":
    sys.exit(main())
