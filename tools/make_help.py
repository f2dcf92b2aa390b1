#!/usr/bin/env python3
"""Writes the help: the pages of every language (data/help/<language>/), their context maps
and the topic tables of the help overlay (data/overlays/TM5150QH.OVL).

    tools/make_help.py           write them
    tools/make_help.py --check   exit 1 when a written file is out of date

Every tree entry has a page that explains its settings; every setting row of a sheet has a
pop-up topic (its own text when one is written below, otherwise the summary of its sheet),
so every cell of every sheet in the English overlay finds help. The page texts are here;
the setting names come from the overlays (Japanese through tools/ja/TM5150QJ.tsv)."""
import html
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import help_topics  # noqa: E402
import make_overlay_ja as ovl  # noqa: E402

ROOT = ovl.ROOT
HELP = os.path.join(ROOT, 'data', 'help')
HOVL = os.path.join(ROOT, 'data', 'overlays', 'TM5150QH.OVL')
LANGS = ('en', 'ja')

# Title and summary of each tree entry's page, by sheet entry name.
PAGES = {
    'GI_Sheet_Radio': (
        'Radio', 'The first page of the radio: the two clone comments and the passwords. '
        'The comments travel with the image into the radio and into clone files, so write '
        'the customer, the fleet or the date of programming there.',
        '無線機', '無線機の最初のページです。2 行のクローンコメントとパスワードを設定します。'
        'コメントはデータと一緒に無線機とクローンファイルに保存されるので、お客様名、'
        'フリート名、書き込み日などを記入してください。'),
    'GI_Sheet_Memory_CH_Top': (
        'Memory Channels', 'The channels of the radio, bank by bank. Each row is one channel: '
        'type the receive frequency in MHz to bring a channel into use; the transmit '
        'frequency follows it until you change it. The right mouse button gives copy, paste, '
        'insert, delete and help for the rows.',
        'メモリーチャンネル', '無線機のチャンネルをバンクごとに設定します。1 行が 1 チャンネルです。'
        '受信周波数を MHz で入力するとチャンネルが使用状態になり、送信周波数は変更するまで'
        '受信周波数に従います。右クリックで行のコピー、貼り付け、挿入、削除、ヘルプが使えます。'),
    'GI_Sheet_Scan': (
        'Scan', 'How the radio scans its channels: the scan type, where scanning starts, the '
        'scan speed and how long the radio stays on a busy channel before it moves on.',
        'スキャン', '無線機がチャンネルをスキャンする方法を設定します。スキャン方式、開始位置、'
        'スキャン速度、使用中のチャンネルに留まる時間などです。'),
    'GI_Sheet_Signalling': (
        'Signalling', 'The selective calling systems of the radio. Choose one of the entries '
        'below this one in the tree for its settings.',
        '信号方式', '無線機の選択呼び出し方式です。設定はツリーでこの下の項目を選んでください。'),
    'GI_Sheet_CTone': (
        'CTCSS and DTCS', 'Sub-audible tones and digital codes that open the squelch only for '
        'calls of your own group. The tone or code of each channel is set on the channel '
        'rows; this page holds what all channels share.',
        'CTCSS と DTCS', '自グループの呼び出しのときだけスケルチを開く副可聴トーンとデジタル'
        'コードです。チャンネルごとのトーンやコードはチャンネルの行で設定し、このページでは'
        '全チャンネル共通の設定を行います。'),
    'GI_Sheet_Dtmf': (
        'DTMF', 'The DTMF codes the radio sends and decodes, and their timing.',
        'DTMF', '無線機が送信・デコードする DTMF コードとそのタイミングです。'),
    'GI_Sheet_2Tone': (
        '2-Tone', 'The 2-tone codes for individual, group and emergency calls.',
        '2トーン', '個別呼び出し、グループ呼び出し、緊急呼び出し用の 2 トーンコードです。'),
    'GI_Sheet_5Tone': (
        '5-Tone', 'The 5-tone codes the radio sends and decodes.',
        '5トーン', '無線機が送信・デコードする 5 トーンコードです。'),
    'GI_Sheet_UTone': (
        'User Tones', 'Tone frequencies of your own that channels can use besides the '
        'standard CTCSS tones.',
        'ユーザートーン', '標準の CTCSS トーン以外にチャンネルで使える独自のトーン周波数です。'),
    'GI_Sheet_Msk': (
        'MSK', 'The MSK data signalling: the radio\'s own identity, the call list, status '
        'and short messages.',
        'MSK', 'MSK データ信号の設定です。無線機自身の ID、呼び出しリスト、ステータス、'
        'ショートメッセージを設定します。'),
    'GI_Sheet_Mdc': (
        'MDC', 'The MDC signalling: the radio\'s identity, aliases and how calls are '
        'announced and logged.',
        'MDC', 'MDC 信号の設定です。無線機の ID、エイリアス、呼び出しの通知と記録の方法を'
        '設定します。'),
    'GI_Sheet_MDC_AliasM': (
        'MDC Aliases', 'Names the radio shows instead of the MDC ID of a caller, up to five. '
        'Type a name on the row marked New to add an alias; the right mouse button copies, '
        'inserts and deletes rows. The aliases are not kept in clone files or in the radio.',
        'MDC エイリアス', '呼び出し元の MDC ID の代わりに無線機が表示する名前で、5 件まで'
        '登録できます。「新規」の行に名前を入力するとエイリアスが追加されます。右クリックで'
        '行のコピー、挿入、削除ができます。エイリアスはクローンファイルにも無線機にも保存'
        'されません。'),
    'GI_Sheet_KeyDisp': (
        'Keys and Display', 'What the programmable keys do and how the display and the lamp '
        'behave. Give the keys the functions the user needs most.',
        'キーと表示', 'プログラマブルキーの機能と、表示やランプの動作を設定します。'
        'ユーザーがよく使う機能をキーに割り当ててください。'),
    'GI_Sheet_SetMode': (
        'Set Mode', 'The settings the user can reach in the radio\'s set mode: for each one '
        'its value, whether the user may change it, and the text the radio shows in the menu.',
        'セットモード', '無線機のセットモードで扱う設定です。設定ごとに値、ユーザーが変更できるか'
        'どうか、メニューに表示するテキストを設定します。'),
    'GI_Sheet_Common': (
        'Common Settings', 'Settings that apply to the whole radio rather than to a channel: '
        'timers, power, the data port, scrambler and stun.',
        '共通設定', 'チャンネルごとではなく無線機全体に効く設定です。タイマー、電源、'
        'データポート、秘話、スタンなどです。'),
    'GI_Sheet_Emergency': (
        'Emergency and Lone Worker', 'What the radio does when the emergency key is pressed '
        'and how the lone worker timer warns and calls for help.',
        '緊急とローンワーカー', '緊急キーを押したときの無線機の動作と、ローンワーカータイマーの'
        '警告と救援呼び出しの方法を設定します。'),
    'GI_Sheet_ExtPort': (
        'External Ports', 'The functions of the accessory connector\'s input and output pins.',
        '外部ポート', 'アクセサリーコネクターの入出力端子の機能を設定します。'),
    'GI_Sheet_Digital': (
        'Digital', 'The settings of digital operation. Choose one of the entries below this '
        'one in the tree.',
        'デジタル', 'デジタル運用の設定です。ツリーでこの下の項目を選んでください。'),
    'GI_Sheet_Dig_ProgMes': (
        'Digital Messages', 'The preset messages a digital radio can send.',
        'デジタルメッセージ', 'デジタル無線機が送信できる定型メッセージです。'),
    'GI_Sheet_Dig_Tim': (
        'Digital Timers', 'The timers of digital calls.',
        'デジタルタイマー', 'デジタル呼び出しのタイマーです。'),
    'GI_Sheet_CEdit': (
        'User Characters', 'Characters of your own for the radio\'s segment display, drawn '
        'dot by dot.',
        'ユーザー文字', '無線機のセグメント表示用の独自の文字を、ドット単位で作成します。'),
    'GI_Sheet_Maker': (
        'Maker Settings', 'Settings for the maker\'s service staff, shown only in maker mode.',
        'メーカー設定', 'メーカーのサービス担当者向けの設定で、メーカーモードでのみ表示されます。'),
}

# Texts of settings, by their English caption in the sheets: English, Japanese.
SETTINGS = {
    'Clone Comment 1': ('Free text of up to 16 characters kept in the radio and in clone '
                        'files, for example the customer or the fleet.',
                        '無線機とクローンファイルに保存される 16 文字までの自由なテキストです。'
                        'お客様名やフリート名などを記入します。'),
    'Clone Comment 2': ('A second line of free text, for example the date of programming.',
                        '2 行目の自由なテキストです。書き込み日などを記入します。'),
    'User Password': ('Four digits the user types to switch the radio on or into set mode. '
                      'Leave it empty for no password.',
                      '電源オンやセットモードに入るときに入力する 4 桁の数字です。'
                      '空欄にするとパスワードなしになります。'),
    'Dealer Passcode': ('Six digits that protect the radio against reading and writing by '
                        'other dealers. Note it down: without it you cannot read the radio.',
                        '他の販売店による読み書きから無線機を保護する 6 桁の数字です。'
                        '控えておいてください。これがないと無線機を読み込めません。'),
    'Scan Type': ('Plain scan, scan with one priority channel, or with two.',
                  '通常スキャン、1 つのプライオリティチャンネル付き、2 つ付きから選びます。'),
    'Scan at Power On': ('Whether scanning starts by itself when the radio is switched on, '
                         'and from which channel.',
                         '電源オン時に自動でスキャンを始めるかどうかと、開始するチャンネルです。'),
    'Fast Scan Step': ('The time per channel while the radio scans fast. Shorter is faster '
                       'but may miss short calls.',
                       '高速スキャン時の 1 チャンネルあたりの時間です。短いほど速くなりますが、'
                       '短い呼び出しを逃すことがあります。'),
    'Slow Scan Step': ('The time per channel while the radio scans slowly.',
                       '低速スキャン時の 1 チャンネルあたりの時間です。'),
    'Stop Time': ('How long the radio stays on a busy channel before scanning on.',
                  '使用中のチャンネルに留まってからスキャンを再開するまでの時間です。'),
    'Resume Time': ('How long the radio waits after a call ends before it scans on.',
                    '通話が終わってからスキャンを再開するまでの待ち時間です。'),
    'Talk-Back Time': ('How long the radio stays on the channel of a call after the user '
                       'answered it.',
                       'ユーザーが応答した後、その呼び出しのチャンネルに留まる時間です。'),
    'Key Beep': ('Whether the keys beep when pressed.', 'キーを押したときに音を鳴らすかどうかです。'),
    'Beep Level': ('The loudness of the key beeps and alerts.', '操作音と警告音の大きさです。'),
    'Squelch Level': ('How strong a signal must be to be heard. Higher levels silence '
                      'weak signals and noise.',
                      '聞こえるために必要な信号の強さです。レベルを上げると弱い信号や雑音が'
                      '聞こえなくなります。'),
    'Backlight': ('When the display and keys are lit.', '表示とキーを照明するタイミングです。'),
    'Power Save': ('Lets the receiver sleep between checks for a signal, so the battery '
                   'lasts longer.',
                   '信号の確認の合間に受信部を休ませて、電池を長持ちさせます。'),
}

# Pop-up topics of the memory channel cells, which the channel sheets show.
CHANNEL_TOPICS = [
    ('mch-freqr', ['CL_Mch_FreqR', 'CL_Mch_FreqR_Pmr'], 'Receive Frequency',
     'The frequency the channel receives on, in MHz, for example 446.00625. The program '
     'completes it to the channel raster (2.5 or 3.125 kHz). A channel not yet in use comes '
     'into use with the same transmit frequency.',
     '受信周波数', 'チャンネルが受信する周波数を MHz で入力します (例: 446.00625)。'
     'チャンネル間隔 (2.5 kHz または 3.125 kHz) に合わせて補正されます。未使用の'
     'チャンネルは同じ送信周波数で使用状態になります。'),
    ('mch-freqt', ['CL_Mch_FreqT', 'CL_Mch_FreqT_Pmr'], 'Transmit Frequency',
     'The frequency the channel transmits on, in MHz. Equal to the receive frequency for '
     'simplex; different for a repeater.',
     '送信周波数', 'チャンネルが送信する周波数を MHz で入力します。単信では受信周波数と同じ、'
     'レピーターでは異なる値にします。'),
    ('mch-narrow', ['CL_Mch_Nar', 'CL_Mch_Nar_Pmr'], 'Channel Width',
     'Narrow (12.5 kHz) or wide (25 kHz) channel. Use what the licence of the frequency '
     'says.', 'チャンネル幅', 'ナロー (12.5 kHz) またはワイド (25 kHz) です。'
     '周波数の免許に合わせてください。'),
    ('mch-ctone', ['CL_Mch_CTone_R', 'CL_Mch_CTone_T', 'CL_Mch_CTone_R_Pmr',
                   'CL_Mch_CTone_T_Pmr'], 'CTCSS or DTCS',
     'The tone or code the channel receives and sends. With a receive tone the squelch '
     'opens only for calls that carry it.', 'CTCSS または DTCS',
     'チャンネルで受信・送信するトーンまたはコードです。受信トーンを設定すると、そのトーンを'
     '含む呼び出しのときだけスケルチが開きます。'),
    ('mch-text', ['CL_Mch_Text', 'CL_Mch_Text_Pmr'], 'Channel Name',
     'The name the radio shows for the channel.', 'チャンネル名',
     '無線機がチャンネルに表示する名前です。'),
    ('mch-power', ['CL_Mch_RfPo', 'CL_Mch_RfPo_Pmr'], 'Transmit Power',
     'High or low transmit power for the channel.', '送信出力',
     'チャンネルの送信出力 (ハイまたはロー) です。'),
    ('mch-tot', ['CL_Mch_Tot', 'CL_Mch_Tot_Pmr'], 'Time-Out Timer',
     'Ends a transmission that lasts longer than this time.', 'タイムアウトタイマー',
     'この時間より長い送信を打ち切ります。'),
    ('mch-scan', ['CL_Mch_Scan', 'CL_Mch_Scan_Pmr'], 'Scan',
     'Whether the channel is scanned.', 'スキャン', 'チャンネルをスキャンするかどうかです。'),
    ('mch-txinh', ['CL_Mch_TxInh', 'CL_Mch_TxInh_Pmr'], 'Receive Only',
     'Forbids transmitting on the channel.', '受信専用', 'チャンネルでの送信を禁止します。'),
]

PAGES.update(help_topics.PAGES)
SETTINGS.update(help_topics.SETTINGS)
CHANNEL_TOPICS += help_topics.CHANNEL_TOPICS

HEAD = ('<!DOCTYPE html>\n<html lang="%s"><head><meta charset="utf-8"><title>%s</title>'
        '</head>\n<body>\n')
NAV = {'en': ('Contents', 'Settings on this page', 'Index of all pages'),
       'ja': ('目次', 'このページの設定', 'すべてのページ')}
FUNCTIONS_PAGE = 'functions.html'
FUNCTIONS_TITLE = ('Key and Port Functions', 'キーとポートの機能')
FUNCTIONS_LINK = {'GI_Sheet_KeyDisp', 'GI_Sheet_ExtPort'}


def topic_div(anchor, label, text):
    return '<div class="topic" id="%s"><p><b>%s</b></p><p>%s</p></div>\n' % (
        anchor, html.escape(label), html.escape(text))


# Pop-up topics of the rows of lists that follow the image, by the sheet entry that shows
# them: anchor, identifiers, English label and text, Japanese label and text.
LIST_TOPICS = {
    'GI_Sheet_MDC_AliasM': [
        ('alias-no', ['FlexMdcAlias_ChNo'], 'Alias Number',
         'The number of the alias in the list. The last row, New, adds an alias when you '
         'type its name.', 'エイリアス番号',
         'リスト内のエイリアスの番号です。最後の「新規」の行に名前を入力するとエイリアスが'
         '追加されます。'),
        ('alias-id', ['CL_Mdc_Alias1_ID'], 'MDC ID',
         'The MDC ID of the caller, four hexadecimal digits.', 'MDC ID',
         '呼び出し元の MDC ID を 16 進数 4 桁で入力します。'),
        ('alias-text', ['CL_Mdc_Alias1_Text'], 'Alias',
         'The name of up to eight characters the radio shows for that ID.', 'エイリアス',
         'その ID に対して無線機が表示する 8 文字までの名前です。'),
        ('alias-strip', ['CL_Mdc_Alias1_Strip'], 'Strip Tones',
         'Whether the radio keeps the MDC data burst of this caller out of the speaker.',
         'トーン除去', 'この呼び出し元の MDC データバーストをスピーカーから出さないかどうかです。'),
        ('alias-beep', ['CL_Mdc_Alias1_Beep_Type'], 'Beep',
         'The alert the radio sounds when this caller calls.', 'ビープ',
         'この呼び出し元から呼び出されたときに鳴らす音です。'),
    ],
}


def slug(text):
    return re.sub(r'[^a-z0-9]+', '-', text.lower()).strip('-') or 'x'


def page_name(entry):
    return entry.replace('GI_Sheet_', '').lower() + '.html'


def tree_entries(lines):
    """Sheet entry names of the tree, in tree order."""
    out, key = [], None
    for line in lines:
        if line.startswith('#'):
            key = line[1:]
            continue
        if key == 'GI_Tree_Main_Body':
            m = re.search(r'%CallSheet:(?:\[[^\]]*\])?([A-Za-z0-9_]+)', line)
            if m and m.group(1) not in out:
                out.append(m.group(1))
    return out


def sheet_rows(lines, entry):
    """(label, identifiers) of the setting rows of a sheet."""
    rows, key = [], None
    for line in lines:
        if line.startswith('#') and len(line) > 1:
            key = line[1:]
            continue
        if key != entry + '_Cells':
            continue
        ids = []
        for m in re.finditer(r'\(%([A-Za-z0-9_]+)(?:\.([A-Za-z0-9_]+))?', line):
            ids.append(m.group(2) or m.group(1))
        texts = [p.strip() for t, p in ovl.segments(line, key) if t and p.strip()]
        if ids and texts:
            rows.append((texts[0], ids))
    return rows


def build():
    lines = ovl.english_lines()
    common, _ = ovl.load_table()
    entries = tree_entries(lines)
    files = {}
    topics = []     # (topic, page, anchor)
    cell_topic = []  # (identifier, topic)
    titles = {}
    for entry in entries:
        en_title, en_sum, ja_title, ja_sum = PAGES.get(
            entry, (entry, '', entry, ''))
        titles[entry] = (en_title, ja_title)
    for lang in LANGS:
        body = HEAD % (lang, html.escape(NAV[lang][0] if lang == 'en' else NAV[lang][0]))
        body += '<h1>%s</h1>\n<ul>\n' % ('Quorvex Help' if lang == 'en' else 'Quorvex ヘルプ')
        for entry in entries:
            body += '<li><a href="%s">%s</a></li>\n' % (
                page_name(entry), html.escape(titles[entry][LANGS.index(lang)]))
        body += '<li><a href="channels.html">%s</a></li>\n' % (
            'Channel Settings' if lang == 'en' else 'チャンネルの設定')
        body += '<li><a href="%s">%s</a></li>\n' % (
            FUNCTIONS_PAGE, html.escape(FUNCTIONS_TITLE[LANGS.index(lang)]))
        for page, en_title, _, ja_title, _, _ in help_topics.WINDOWS:
            body += '<li><a href="%s">%s</a></li>\n' % (
                page, html.escape(en_title if lang == 'en' else ja_title))
        body += '</ul>\n<p><a href="https://www.example.org/quorvex/">%s</a></p>\n' % (
            'Quorvex on the web' if lang == 'en' else 'Quorvex のウェブサイト')
        body += '</body></html>\n'
        files[(lang, 'index.html')] = body

    seen_topics = set()
    for entry in entries:
        en_title, en_sum, ja_title, ja_sum = PAGES.get(entry, (entry, '', entry, ''))
        page = page_name(entry)
        summary_topic = 'Sheet_' + entry.replace('GI_Sheet_', '')
        topics.append((summary_topic, page, 'summary'))
        rows = sheet_rows(lines, entry)
        for lang, title, summary in (('en', en_title, en_sum), ('ja', ja_title, ja_sum)):
            body = HEAD % (lang, html.escape(title))
            body += '<p><a href="index.html">%s</a></p>\n<h1>%s</h1>\n' % (
                NAV[lang][0], html.escape(title))
            body += '<div class="topic" id="summary"><p><b>%s</b></p><p>%s</p></div>\n' % (
                html.escape(title), html.escape(summary))
            if entry == 'GI_Sheet_Memory_CH_Top':
                body += '<p><a href="channels.html">%s</a></p>\n' % (
                    'The settings of a channel row' if lang == 'en' else 'チャンネル行の設定')
            if entry in FUNCTIONS_LINK:
                body += '<p><a href="%s">%s</a></p>\n' % (
                    FUNCTIONS_PAGE, html.escape(FUNCTIONS_TITLE[LANGS.index(lang)]))
            if entry == 'GI_Sheet_Memory_CH_Top':
                for anchor, ids, *texts in help_topics.BANK_TOPICS:
                    k = 2 * LANGS.index(lang)
                    body += topic_div(anchor, texts[k], texts[k + 1])
            if rows:
                body += '<h2>%s</h2>\n' % NAV[lang][1]
            for label, ids in rows:
                text = SETTINGS.get((entry, label), SETTINGS.get(label))
                shown = label if lang == 'en' else common.get(label, label)
                shown = shown.replace('\\_', ' ').strip()
                if text:
                    anchor = slug(label)
                    body += ('<div class="topic" id="%s"><p><b>%s</b></p><p>%s</p></div>\n'
                             % (anchor, html.escape(shown), html.escape(text[LANGS.index(lang)])))
                else:
                    body += '<p><b>%s</b></p>\n' % html.escape(shown)
            k = LANGS.index(lang)
            for anchor, ids, *texts in LIST_TOPICS.get(entry, []):
                label, text = texts[2 * k], texts[2 * k + 1]
                body += '<div class="topic" id="%s"><p><b>%s</b></p><p>%s</p></div>\n' % (
                    anchor, html.escape(label), html.escape(text))
            body += '</body></html>\n'
            files[(lang, page)] = body
        for anchor, ids, *_ in LIST_TOPICS.get(entry, []):
            topic = '%s_%s' % (summary_topic, anchor.replace('-', '_'))
            topics.append((topic, page, anchor))
            for i in ids:
                cell_topic.append((i, topic))
        if entry == 'GI_Sheet_Memory_CH_Top':
            for anchor, ids, *_ in help_topics.BANK_TOPICS:
                topic = 'Bank_' + anchor[5:].replace('-', '_')
                topics.append((topic, page, anchor))
                for i in ids:
                    cell_topic.append((i, topic))
        for label, ids in rows:
            if (entry, label) in SETTINGS or label in SETTINGS:
                topic = '%s_%s' % (summary_topic, slug(label).replace('-', '_'))
                if topic not in seen_topics:
                    topics.append((topic, page, slug(label)))
                    seen_topics.add(topic)
            else:
                topic = summary_topic
            for i in ids:
                cell_topic.append((i, topic))

    for lang in LANGS:
        k = LANGS.index(lang)
        body = HEAD % (lang, 'Channel Settings' if lang == 'en' else 'チャンネルの設定')
        body += '<p><a href="index.html">%s</a></p>\n<h1>%s</h1>\n' % (
            NAV[lang][0], 'Channel Settings' if lang == 'en' else 'チャンネルの設定')
        for anchor, ids, en_label, en_text, ja_label, ja_text in CHANNEL_TOPICS:
            label, text = ((en_label, en_text), (ja_label, ja_text))[k]
            body += '<div class="topic" id="%s"><p><b>%s</b></p><p>%s</p></div>\n' % (
                anchor, html.escape(label), html.escape(text))
        body += '</body></html>\n'
        files[(lang, 'channels.html')] = body
    for anchor, ids, *_ in CHANNEL_TOPICS:
        topic = 'Mch_' + anchor[4:].replace('-', '_')
        topics.append((topic, 'channels.html', anchor))
        for i in ids:
            cell_topic.append((i, topic))

    # The windows outside the tree.
    for page, en_title, en_sum, ja_title, ja_sum, window_topics in help_topics.WINDOWS:
        for lang, title, summary in (('en', en_title, en_sum), ('ja', ja_title, ja_sum)):
            k = 2 * LANGS.index(lang)
            body = HEAD % (lang, html.escape(title))
            body += '<p><a href="index.html">%s</a></p>\n<h1>%s</h1>\n' % (
                NAV[lang][0], html.escape(title))
            body += topic_div('summary', title, summary)
            for anchor, ids, *texts in window_topics:
                body += topic_div(anchor, texts[k], texts[k + 1])
            body += '</body></html>\n'
            files[(lang, page)] = body
        for anchor, ids, *_ in window_topics:
            topic = 'Win_' + anchor.replace('-', '_')
            topics.append((topic, page, anchor))
            for i in ids:
                cell_topic.append((i, topic))

    # The functions keys and ports can be given: the key-assignment table finds them by
    # their English names and by their codes ("key:", "in:", "out:" and the code), so the
    # help follows the assigned function in every language.
    key_assign = []
    for lang in LANGS:
        k = LANGS.index(lang)
        title = FUNCTIONS_TITLE[k]
        body = HEAD % (lang, html.escape(title))
        body += '<p><a href="index.html">%s</a></p>\n<h1>%s</h1>\n' % (
            NAV[lang][0], html.escape(title))
        for anchor, names, keys, ins, outs, *texts in help_topics.FUNCTIONS:
            body += topic_div(anchor, texts[2 * k], texts[2 * k + 1])
        body += '</body></html>\n'
        files[(lang, FUNCTIONS_PAGE)] = body
    for anchor, names, keys, ins, outs, *_ in help_topics.FUNCTIONS:
        topic = 'Fn_' + anchor[3:].replace('-', '_')
        topics.append((topic, FUNCTIONS_PAGE, anchor))
        key_assign += [(n, topic) for n in names]
        key_assign += [('%s:%d' % (prefix, code), topic)
                       for prefix, codes in (('key', keys), ('in', ins), ('out', outs))
                       for code in codes]

    # Context numbers in topic order, from 1001.
    context = {t: 1001 + n for n, (t, _, _) in enumerate(topics)}
    cmap = ''.join('%d\t%s#%s\n' % (context[t], p, a) for t, p, a in topics)
    for lang in LANGS:
        files[(lang, 'context.map')] = ('; context number, tab, page#anchor '
                                        '(made by tools/make_help.py)\n' + cmap)

    # The help overlay: first topic of a cell wins, so a cell on two sheets keeps the first.
    out = ['Quorvex help overlay: the help topics of the cells and their context numbers '
           '(made by tools/make_help.py; do not edit)', '#GI_AppItem_Topic_ID']
    done = set()
    for i, t in cell_topic:
        if i not in done:
            out.append('%s\t%s' % (i, t))
            done.add(i)
    out += ['#', '#GI_AppItem_Key_Assign_Topic_ID']
    out += ['%s\t%s' % (n, t) for n, t in key_assign]
    out += ['#', '#GI_AppItem_Context_ID']
    out += ['%s\t%d' % (t, context[t]) for t, _, _ in topics]
    out += ['#', '#End_Of_Ovl', '']
    result = {os.path.join(HELP, lang, name): text.encode('utf-8')
              for (lang, name), text in files.items()}
    result[HOVL] = '\n'.join(out).encode('cp1252')
    return result


def main():
    files = build()
    if '--check' in sys.argv[1:]:
        stale = []
        for path, data in files.items():
            try:
                with open(path, 'rb') as f:
                    if f.read() != data:
                        stale.append(path)
            except OSError:
                stale.append(path)
        for lang in LANGS:
            folder = os.path.join(HELP, lang)
            for name in (os.listdir(folder) if os.path.isdir(folder) else []):
                if os.path.join(folder, name) not in files:
                    stale.append(os.path.join(folder, name))
        if stale:
            print('The help is out of date (%s); run "%s" and commit the result.'
                  % (', '.join(os.path.relpath(p, ROOT) for p in stale), ovl.COMMAND))
            return 1
        return 0
    for path, data in files.items():
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(data)
    return 0


if __name__ == '__main__':
    sys.exit(main())
