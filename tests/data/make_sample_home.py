#!/usr/bin/env python3
"""Writes tests/data/sample_home/: a start folder in data format 2 with a busy September
2024, for looking at the month view and for the render tests.

    velmo-tool --start-folder tests/data/sample_home render 202409 --today 2024-09-10 \
        --rokuyo --out september.png

Files are CP932 with CR LF line ends, as the program writes them. Run from the repository
root; it replaces the folder's files.
"""

import pathlib

ROOT = pathlib.Path(__file__).resolve().parent
HOME = ROOT / "sample_home"
SEED_HDAY = ROOT.parent.parent / "resources" / "seed" / "Hday.dat"


def write_lines(path, lines):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes("".join(line + "\r\n" for line in lines).encode("cp932"))


def entry(day, position, text, colour=""):
    # day,position,,text,colour,aux1,time,aux2,aux3, with "," stored as "，"
    return "%2d,%d,,%s,%s,,,,," % (day, position, text.replace(",", "，"), colour)


def month_lines(entries):
    lines = []
    positions = {}
    for day, text, colour in entries:
        positions[day] = positions.get(day, 0) + 1
        lines.append(entry(day, positions[day], text, colour))
    return lines


def period(start, start_part, end, end_part, title_day, width, colour, title):
    def ymd(date):
        return "%4d,%2d,%2d" % date

    fields = [ymd(start), start_part, ymd(end), end_part, ymd(title_day), str(width), colour,
              title.replace(",", "，"), "SAMPLE-PC", "", "", "", "", ""]
    return ",".join(fields)


SEPTEMBER = [
    (2, "<B>週次定例</B> 10:00", ""),
    (2, "資料作成", ""),
    (3, "09:00 朝会", ""),
    (3, "10:30 見積レビュー", "clBlue"),
    (3, "13:00 来客（山田様）", "clRed"),
    (3, "15:00 社内研修", ""),
    (3, "17:30 日報提出", ""),
    (3, "18:00 残業申請", ""),
    (5, "歯医者 18:30", "$00008000"),
    (6, "<S>飲み会</S> 中止", ""),
    (9, "<B>週次定例</B> 10:00", ""),
    (9, "議事録\t送付", ""),
    (10, "<B>締切: 企画書</B>", "clRed"),
    (10, "14:00 打合せ, 会議室A", "clBlue"),
    (10, "個人メモ<H>非表示の部分</H>", ""),
    (10, "色が壊れた行", "xyz"),
    (11, "健康診断", "$00800080"),
    (12, "<b>リリース</b>", "clFuchsia"),
    (12, "ステージング確認", ""),
    (13, "振り返り", ""),
    (16, "実家へ", "$00A06000"),
    (18, "ジム", ""),
    (18, "買い物: 牛乳, パン", ""),
    (19, "<H>", ""),
    (19, "隠れた予定", ""),
    (19, "</H>見える予定", ""),
    (20, "誕生会の準備", "clFuchsia"),
    (24, "10:00 取引先訪問", "clBlue"),
    (24, "13:00 社内会議", ""),
    (24, "16:00 資料修正", ""),
    (25, "月次報告", "clRed"),
    (26, "<B>四半期レビュー</B>", "clNavy"),
    (26, "懇親会 19:00", "$000080FF"),
    (27, "在宅勤務", ""),
    (30, "上期締め", "clRed"),
    (30, "経費精算", ""),
    (77, "月メモ：９月は上期の締め。", ""),
    (77, "経費精算は３０日まで。", ""),
    (77, "<B>タグは月メモでは</B>そのまま", ""),
]

AUGUST = [
    (26, "夏休み明け", ""),
    (28, "ミーティング", "clBlue"),
    (30, "月末処理", ""),
]

OCTOBER = [
    (1, "下期キックオフ", "clRed"),
    (1, "組織変更", ""),
    (3, "出張準備", ""),
    (4, "定例", ""),
]

PERIODS = [
    period((2024, 8, 28), "A", (2024, 9, 3), "M", (2024, 8, 29), 1, "clGreen", "夏季休暇"),
    period((2024, 9, 4), "A", (2024, 9, 6), "E", (2024, 9, 5), 2, "clBlue", "大阪出張"),
    period((2024, 9, 9), "M", (2024, 9, 13), "A", (2024, 9, 11), 1, "clRed", "展示会"),
    period((2024, 9, 11), "M", (2024, 9, 19), "E", (2024, 9, 18), 3, "$00008000", "研修期間"),
    period((2024, 9, 12), "M", (2024, 9, 12), "E", (2024, 9, 12), 1, "", "当日のみ"),
    period((2024, 9, 17), "A", (2024, 9, 20), "M", (2024, 9, 17), 2, "clPurple", "監査"),
    period((2024, 9, 25), "M", (2024, 10, 2), "E", (2024, 9, 27), 3, "clTeal", "システム移行"),
    period((2024, 9, 26), "M", (2024, 9, 27), "E", (2024, 9, 26), 1, "D", "見せない期間"),
]

SPECIAL_DAYS = [
    "9,10,創立記念日",
    "9,16,祭",
    "9,20,入籍日",
    "9,20,納会",
]

SETTINGS = [
    "[Header]",
    "Version=Ver9.1.1",
    "[Settei]",
    "cbTukiMemo=1",
    "cbTukiMUeTume=1",
    "cbBold=1",
    "cbNextDay=1",
    "vCalGyou=5",
    "[Option]",
    "rbKinenbi=1",
    "[KvMCal]",
    "TabToSp=4",
    "TabAdj=100",
]


def main():
    data = HOME / "Data"
    files1 = data / "Files1"
    write_lines(HOME / "Hday.dat", SEED_HDAY.read_text(encoding="utf-8").splitlines())
    write_lines(HOME / "Torka.ini", SETTINGS)
    write_lines(data / "Sday.myc", SPECIAL_DAYS)
    write_lines(files1 / "Ca202408.myc", month_lines(AUGUST))
    write_lines(files1 / "Ca202409.myc", month_lines(SEPTEMBER))
    write_lines(files1 / "Ca202410.myc", month_lines(OCTOBER))
    write_lines(files1 / "CaFromTo.myc", ["***** FromTo予定 [Data\\Files1\\]"] + PERIODS)


if __name__ == "__main__":
    main()
