#!/usr/bin/env python3
"""Checks kestrelctl's machine-readable output against its table form.

usage: kestrelctl_forms.py KIND TABLE_FILE JSON_FILE [CSV_FILE]
KIND is status, scan, info, profiles-list, profiles-show or stats. Every JSON text must
parse with Python's own parser and carry typed values; the numbers must agree with the
table printed by the same adapter (the simulated signal wanders by up to 8 dB between
two runs, so signal figures agree within that). Prints what it found; exits 1 on a fault.
"""
import csv
import json
import re
import sys

faults = []


def check(condition, what):
    if not condition:
        faults.append(what)


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read().replace("\r\n", "\n")


def table_fields(text):
    fields = {}
    for line in text.splitlines():
        key, _, value = line.partition(": ")
        fields[key] = value
    return fields


def is_int(value):
    return isinstance(value, int) and not isinstance(value, bool)


def check_status(table, data):
    t = table_fields(table)
    check(data["link"] == t["link"], "link state")
    check(is_int(data["state_code"]), "state code is a number")
    if data["link"] == "connected":
        check(data["ssid"] == t["ssid"], "ssid")
        check(data["bssid"] == t["bssid"], "bssid")
        check(data["mode"] == t["mode"], "mode")
        check(data["mode"] in ("infrastructure", "adhoc"), "mode word")
        channel = re.match(r"Ch:\s*(\d+)\((\w)\)", t["channel"])
        check(channel and data["channel"] == int(channel.group(1)), "channel number")
        check(channel and data["band"] == channel.group(2), "band")
        check(data["frequency_mhz"] == int(t["frequency"].split()[0]), "frequency")
        rate = t["rate"].replace("Mbps", "").strip()
        check(data["rate_mbps"] == float(rate), "rate")
        rssi = int(t["rssi"].split()[0])
        check(is_int(data["rssi_dbm"]) and abs(data["rssi_dbm"] - rssi) <= 8, "rssi")
        signal = int(t["signal"].split("%")[0])
        check(is_int(data["signal_percent"]) and abs(data["signal_percent"] - signal) <= 15,
              "signal percent")
        check(isinstance(data["encrypted"], bool), "encrypted is true or false")


def table_rows(table):
    # Columns of "%-32s %-3s %-9s %-10s %-6s %-17s %s".
    rows = {}
    for line in table.splitlines()[1:]:
        rows[line[65:82]] = {
            "ssid": line[0:32].rstrip(), "xr": line[33:36].strip(),
            "channel": line[37:46].strip(), "security": line[47:57].strip(),
            "signal": line[58:64].strip(),
        }
    return rows


def check_scan(table, data, csv_path):
    check(isinstance(data, list) and data, "a list of networks")
    rows = table_rows(table)
    check(len(rows) == len(data), "as many networks as the table")
    for network in data:
        row = rows.get(network["bssid"])
        check(row is not None, "network %s in the table" % network["bssid"])
        if row is None:
            continue
        check(row["ssid"] == network["ssid"], "ssid of %s" % network["bssid"])
        check(bytes.fromhex(network["ssid_hex"]).decode("cp932", "replace") == network["ssid"]
              or "\ufffd" in network["ssid"], "ssid_hex of %s" % network["bssid"])
        check(row["channel"] == "%d (%s)" % (network["channel"], network["band"]),
              "channel of %s" % network["bssid"])
        check(row["security"] == network["security"], "security of %s" % network["bssid"])
        signal = int(row["signal"].split()[0])
        check(abs(signal - network["signal_percent"]) <= 15, "signal of %s" % network["bssid"])
        check(network["mode"] in ("infrastructure", "adhoc"), "mode word")
        check(is_int(network["frequency_mhz"]) and is_int(network["rssi_dbm"]), "numbers")
        check(isinstance(network["xr"], bool), "xr is true or false")
    with open(csv_path, encoding="utf-8", newline="") as f:
        records = list(csv.DictReader(f))
    by_bssid = {r["bssid"]: r for r in records}
    check(len(records) == len(data), "as many CSV records as networks")
    for network in data:
        record = by_bssid.get(network["bssid"])
        check(record is not None, "CSV record of %s" % network["bssid"])
        if record is None:
            continue
        for field in ("ssid", "ssid_hex", "band", "security", "mode"):
            check(record[field] == network[field], "CSV %s of %s" % (field, network["bssid"]))
        for field in ("channel", "frequency_mhz"):
            check(int(record[field]) == network[field], "CSV %s of %s" % (field, network["bssid"]))


def check_info(table, data):
    t = table_fields(table)
    check(t["region"] == "%s (%s)" % (data["region"], data["country_code"]), "region")
    check(data["mac"] == t["mac"], "mac")
    for field in ("driver version", "driver date", "utility version", "utility date"):
        check(data[field.replace(" ", "_")] == t[field], field)


def check_profiles_list(table, data):
    check(data == [line for line in table.splitlines() if line], "profile names")


def check_profiles_show(table, data):
    t = table_fields(table)
    check(data["name"] == t["name"] and data["ssid"] == t["ssid"], "name and ssid")
    check(data["security"] == t["security"], "security")
    check({"infrastructure": "infrastructure", "adhoc": "ad hoc"}[data["mode"]]
          == t["network type"], "mode")
    check(data["wireless_modes"] == int(t["wireless modes"], 16), "wireless modes")
    for field in ("transmit key", "fragmentation threshold", "rts threshold", "power save",
                  "wmm"):
        check(data[field.replace(" ", "_")] == int(t[field]), field)


def stats_table_numbers(line):
    match = re.match(r"tx (\S+) Mbps (\d+) pkt/s total (\d+) errors (\S+) \| "
                     r"rx (\S+) Mbps (\d+) pkt/s total (\d+) errors (\S+) \| load (\d+) %", line)
    check(match is not None, "table line: " + line)
    return match


def check_stats(table, lines):
    check(len(lines) == 3, "three JSON lines, one a second")
    last_table = stats_table_numbers(table.splitlines()[-1])
    for data in lines:
        check(data["available"] is True, "statistics available")
        for field in ("tx_mbps", "rx_mbps"):
            check(isinstance(data[field], (int, float)) and 0 <= data[field] < 1024, field)
        for field in ("tx_packets_per_second", "rx_packets_per_second", "tx_packets",
                      "rx_packets", "load_percent"):
            check(is_int(data[field]), field + " is a whole number")
    # The JSON run came after the table run: the totals only grew.
    if last_table:
        check(lines[-1]["tx_packets"] >= int(last_table.group(3)), "tx total grew")
        check(lines[-1]["rx_packets"] >= int(last_table.group(7)), "rx total grew")
        check(lines[-1]["rx_packets"] - int(last_table.group(7)) < 100000, "rx total near")


def main():
    kind, table_path, json_path = sys.argv[1:4]
    table = read(table_path)
    text = read(json_path)
    try:
        if kind == "stats":
            data = [json.loads(line) for line in text.splitlines() if line]
        else:
            check(len(text.splitlines()) == 1, "one line of JSON")
            data = json.loads(text)
    except ValueError as error:
        print("FAIL: %s JSON does not parse: %s\n%s" % (kind, error, text))
        return 1
    checks = {"status": check_status, "info": check_info, "profiles-list": check_profiles_list,
              "profiles-show": check_profiles_show, "stats": check_stats}
    if kind == "scan":
        check_scan(table, data, sys.argv[4])
    else:
        checks[kind](table, data)
    for fault in faults:
        print("FAIL: %s: %s" % (kind, fault))
    if faults:
        print(text)
        print(table)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
