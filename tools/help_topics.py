"""Texts of the pop-up topics that tools/make_help.py writes beside the sheet summaries:
the channel columns, the bank rows, the windows outside the tree and the functions that
keys and ports can be given. Each topic: (anchor, identifiers, English label, English text,
Japanese label, Japanese text)."""

# Pages of the tree entries the first table of make_help.py does not describe.
PAGES = {
    'GI_Sheet_2ToneTx': (
        '2-Tone Transmit', 'The 2-tone sequences the radio sends: for each code its first '
        'and second tone and how long each sounds. A channel or a key calls a code by its '
        'number, so keep the numbers the fleet already uses.',
        '2トーン送信', '無線機が送信する 2 トーンの組み合わせです。コードごとに第 1 トーン、'
        '第 2 トーンとそれぞれの長さを設定します。チャンネルやキーはコード番号で呼び出すので、'
        'フリートで使っている番号に合わせてください。'),
    'GI_Sheet_MskAdr': (
        'MSK Addresses', 'The MSK address book: the radio\'s own ID groups, the call list and '
        'the address ranges. These entries are worked on here only; they are not kept in clone '
        'files or written to the radio, so note them down before you close the program.',
        'MSK アドレス', 'MSK のアドレス帳です。自局の ID グループ、呼び出しリスト、アドレス範囲を'
        '設定します。この内容はここでの作業用で、クローンファイルにも無線機にも保存されない'
        'ため、プログラムを閉じる前に控えておいてください。'),
    'GI_Sheet_Adjust': (
        'Adjustment', 'The factory adjustments of the connected radio: levels, deviation and '
        'squelch points. Every change is sent to the radio at once, so change one value at a '
        'time and check the radio with a test set. Shown only in adjustment mode.',
        '調整', '接続した無線機の工場調整値です。レベル、偏移、スケルチ点などを設定します。'
        '変更はすぐに無線機に送られるので、1 つずつ変更し、測定器で確認してください。'
        '調整モードでのみ表示されます。'),
    'GI_Sheet_Adjust_Pram': (
        'Stored Parameters', 'The adjustment values stored in the radio read for adjustment, '
        'in one table: powers, balance, deviation, levels, the two S-meter levels caught at S1 '
        'and S3, and the slope tables by band. The page only shows them; change them on the '
        'Adjustment page, which sends each change to the radio. Shown only in adjustment mode.',
        '保存済みパラメーター', '調整のために読み込んだ無線機に保存されている調整値を一覧表示します。'
        '送信出力、バランス、変調度、レベル、S1 と S3 で取り込んだ S メーターのレベル、バンド別の'
        '補正テーブルです。このページは表示のみです。変更は調整ページで行うと、そのつど無線機に'
        '送られます。調整モードでのみ表示されます。'),
}

# Columns of the memory channel sheets (the frequency, tone and common columns are in
# make_help.py).
CHANNEL_TOPICS = [
    ('mch-no', ['CL_Mch_No', 'CL_Mch_No_Pmr'], 'Channel Number',
     'The number of the channel in its bank. The last row, marked as new, adds a channel to '
     'the bank when you type a receive frequency in it.',
     'チャンネル番号', 'バンク内のチャンネル番号です。新規と表示された最後の行に受信周波数を'
     '入力すると、バンクにチャンネルが追加されます。'),
    ('mch-atr', ['CL_Mch_Atr', 'CL_Mch_Atr_Pmr'], 'Attributes',
     'Letters that mark the channel: A and B priority channels 1 and 2, E the special channel. '
     'Each of them belongs to one channel at a time, so giving it to this channel takes it '
     'from the other.',
     '属性', 'チャンネルの属性を表す文字です。A と B はプライオリティチャンネル 1 と 2、E は'
     '特別チャンネルです。それぞれ 1 つのチャンネルにしか付けられないので、このチャンネルに'
     '付けると他のチャンネルからは外れます。'),
    ('mch-inh', ['CL_Mch_Inh', 'CL_Mch_Inh_Pmr'], 'Channel Usable',
     'Usable or inhibited. An inhibited channel keeps its settings but the user cannot select '
     'it; use this to hold a channel back until the fleet needs it.',
     'チャンネル使用', '使用可または禁止です。禁止したチャンネルは設定を保持したまま、ユーザーが'
     '選べなくなります。フリートで必要になるまでチャンネルを控えておくときに使います。'),
    ('mch-scan-onoff', ['CL_Mch_Scan_OnOff', 'CL_Mch_Scan_OnOff_Pmr'], 'Scan',
     'Whether the channel is included when the radio scans.',
     'スキャン', '無線機がスキャンするときにこのチャンネルを含めるかどうかです。'),
    ('mch-lockout', ['CL_Mch_Lockout', 'CL_Mch_Lockout_Pmr'], 'Busy Lockout',
     'Stops the user from transmitting while the channel is busy: Off, on any carrier, or '
     'only when a call with another tone or code is on the channel.',
     'ビジーロックアウト', 'チャンネルが使用中のときに送信できないようにします。オフ、'
     'キャリアがあるとき、または別のトーンやコードの通話があるときだけ、から選びます。'),
    ('mch-sql-tight', ['CL_Mch_Sql_Tight', 'CL_Mch_Sql_Tight_Pmr'], 'Tight Squelch',
     'Raises the squelch level of this channel, for a place with a lot of noise or weak '
     'unwanted signals.',
     'タイトスケルチ', 'このチャンネルのスケルチレベルを上げます。雑音や不要な弱い信号が多い'
     '場所で使います。'),
    ('mch-compander', ['CL_Mch_Compander'], 'Compander',
     'Compresses the voice on transmit and expands it on receive for less noise. Both radios '
     'of a call must have it on.',
     'コンパンダー', '送信時に音声を圧縮し、受信時に伸長して雑音を減らします。通話する両方の'
     '無線機でオンにする必要があります。'),
    ('mch-pwrsave', ['CL_Mch_PwrSave', 'CL_Mch_PwrSave_Pmr'], 'Power Save',
     'Lets the receiver sleep between checks on this channel. Switch it off on a channel '
     'where the first syllables of a call must not be lost.',
     'パワーセーブ', 'このチャンネルで受信部を間欠動作させます。呼び出しの最初の言葉を'
     '逃してはいけないチャンネルではオフにしてください。'),
    ('mch-autoreset', ['CL_Mch_AutoReset', 'CL_Mch_AutoResetPmr'], 'Automatic Reset',
     'Resets a received selective call after the automatic reset timer (timer A, B or both '
     'on some models), so the radio returns to silent standby by itself.',
     '自動リセット', '受信した選択呼び出しを自動リセットタイマー (機種によりタイマー A、B、'
     'または両方) の後に解除し、無線機が自動で待ち受けに戻るようにします。'),
    ('mch-2tone', ['CL_Mch_2Tone'], '2-Tone',
     'The 2-tone code (1 to 10) the channel decodes, or Off. The codes are set on the 2-Tone '
     'page.',
     '2トーン', 'チャンネルでデコードする 2 トーンコード (1 から 10) またはオフです。コードは'
     '2トーンのページで設定します。'),
    ('mch-rxcno', ['CL_Mch_RxCNo2', 'CL_Mch_RxCNo_Pmr', 'CL_Mch_Msk_RxCNo'], 'Receive Codes',
     'The receive codes the channel listens for; click to tick them in a list. Greyed while '
     'the channel decodes MDC.',
     '受信コード', 'チャンネルで受信するコードです。クリックしてリストでチェックします。'
     'MDC をデコードしている間は灰色になります。'),
    ('mch-sigtype', ['CL_Mch_SigType_Log_Lmr', 'CL_Mch_SigType_Log_Pmr'], 'Log Signalling',
     'The signalling the radio sends for its log-in and log-off: none, DTMF or MSK, MDC, or '
     'both.',
     'ログ信号', 'ログイン・ログオフ時に送信する信号です。なし、DTMF または MSK、MDC、両方から'
     '選びます。'),
    ('mch-sigtype-emg', ['CL_Mch_SigType_Emg_Lmr', 'CL_Mch_SigType_Emg_Pmr'],
     'Emergency Signalling',
     'The signalling the radio sends on this channel when an emergency is started.',
     '緊急信号', '緊急動作を始めたときにこのチャンネルで送信する信号です。'),
    ('mch-sigtype-dec', ['CL_Mch_SigType_Dec_Lmr', 'CL_Mch_SigType_Dec_Pmr'], 'Decode',
     'Whether the channel decodes MDC calls.',
     'デコード', 'チャンネルで MDC の呼び出しをデコードするかどうかです。'),
    ('mch-mdc-system', ['CL_Mch_Mdc_System', 'CL_Mch_Mdc_System_Pmr'], 'MDC System',
     'Which of the MDC systems of the MDC page the channel uses. Greyed while the channel '
     'neither sends nor decodes MDC.',
     'MDC システム', 'MDC のページで設定した MDC システムのうち、チャンネルで使うものです。'
     'チャンネルで MDC を送信もデコードもしないときは灰色になります。'),
    ('mch-scrm-on', ['CL_Mch_Scrm_On', 'CL_Mch_Scrm_On_Pmr'], 'Scrambler',
     'The voice scrambler of the channel: off, code scrambler, rolling scrambler or an '
     'external unit. The radios of a fleet must use the same kind and code.',
     '秘話', 'チャンネルの秘話方式です。オフ、コード秘話、ローリング秘話、外部ユニットから'
     '選びます。フリートの無線機は同じ方式とコードにする必要があります。'),
    ('mch-scrm-code', ['CL_Mch_Scrm_Code', 'CL_Mch_Scrm_Code_Pmr'], 'Scrambler Code',
     'The scrambler code, 1 to 255.', '秘話コード', '秘話コードです (1 から 255)。'),
    ('mch-scan-list', ['CL_Mch_Scan_List', 'CL_Mch_Scan_List_Pmr'], 'Scan List',
     'The scan list (1 to 8) that the radio scans from this channel. Shows dashes while scan '
     'lists are switched off on the Scan page.',
     'スキャンリスト', 'このチャンネルからスキャンするスキャンリスト (1 から 8) です。'
     'スキャンのページでスキャンリストがオフのときはダッシュが表示されます。'),
    ('mch-scan-listsel', ['CL_Mch_Scan_ListSel', 'CL_Mch_Scan_ListSel_Pmr'],
     'Scan List Choice',
     'Fixed: the channel always scans its own list. Selectable: the user may pick another '
     'list on the radio.',
     'スキャンリスト選択', '固定はチャンネル自身のリストを常にスキャンします。選択可では'
     'ユーザーが無線機で別のリストを選べます。'),
    ('mch-autochscan', ['CL_Mch_AutoChScan', 'CL_Mch_AutoChScan_Pmr'],
     'Automatic Channel Scan',
     'Starts scanning by itself when the user selects this channel.',
     '自動チャンネルスキャン', 'ユーザーがこのチャンネルを選ぶと自動的にスキャンを始めます。'),
    ('mch-log', ['CL_Mch_Log', 'CL_Mch_Log_Pmr'], 'Log',
     'When the radio sends its log signal on this channel: off, at the start of a '
     'transmission, at its end, or both.',
     'ログ', 'このチャンネルでログ信号を送るタイミングです。オフ、送信開始時、送信終了時、'
     'または両方です。'),
    ('mch-ch-mute', ['CL_Mch_CH_Mute', 'CL_Mch_CH_Mute_Pmr'], 'Channel Mute',
     'What opens the speaker: any carrier, or only the channel\'s tone or code. With MSK on, '
     'carrier is marked as a warning.',
     'チャンネルミュート', 'スピーカーを開く条件です。キャリア、またはチャンネルのトーンや'
     'コードのみです。MSK がオンのときキャリアは警告として表示されます。'),
    ('mch-moni', ['CL_Mch_Moni_Pmr'], 'Monitor',
     'What the monitor key does on this channel: open the squelch, switch the tone or code '
     'off, or the MSK monitor. With MSK on, only the MSK monitor choices are without warning.',
     'モニター', 'このチャンネルでのモニターキーの動作です。スケルチを開く、トーンやコードを'
     '切る、または MSK モニターです。MSK がオンのときは MSK モニターだけが警告なしで'
     '使えます。'),
    ('mch-sel', ['CL_Mch_Sel_Pmr'], 'Selective Call',
     'The selective calling system of the channel: off, MSK, 5-tone or 2-tone. With MSK on '
     'it must be MSK.',
     '選択呼び出し', 'チャンネルの選択呼び出し方式です。オフ、MSK、5 トーン、2 トーンから'
     '選びます。MSK がオンのときは MSK にする必要があります。'),
    ('mch-call', ['CL_Mch_Call_Pmr'], 'Call',
     'Whether the user can send a selective call on this channel.',
     '呼び出し', 'このチャンネルでユーザーが選択呼び出しを送信できるかどうかです。'),
    ('mch-ptt', ['CL_Mch_PTT_Pmr'], 'PTT ID',
     'Sends the radio\'s identity each time the user presses the PTT on this channel.',
     'PTT ID', 'このチャンネルで PTT を押すたびに無線機の ID を送信します。'),
    ('mch-form', ['CL_Mch_Form_Pmr'], 'Format',
     'The 5-tone format (1 to 8) of the channel, as set on the 5-Tone page.',
     'フォーマット', 'チャンネルの 5 トーンフォーマット (1 から 8) です。5トーンのページで'
     '設定します。'),
    ('mch-pos', ['CL_Mch_Pos_Pmr'], 'Position',
     'Where the radio\'s own digits stand in the 5-tone sequence (position 1 to 4).',
     '位置', '5 トーンの並びの中で自局の桁が入る位置 (1 から 4) です。'),
    ('mch-codes', ['CL_Mch_Rpt_C_Pmr', 'CL_Mch_Stn_C_Pmr', 'CL_Mch_Id_C_Pmr'],
     'Repeater, Station and ID Codes',
     'The 5-tone codes sent to open the repeater, to call the station and to identify the '
     'radio. Greyed when MSK does the signalling on the channel.',
     'レピーター、局、ID コード', 'レピーターを開く、局を呼び出す、無線機を識別するために'
     '送信する 5 トーンコードです。チャンネルで MSK を使うときは灰色になります。'),
    ('mch-ltone', ['CL_Mch_Rpt_L_Pmr', 'CL_Mch_Stn_L_Pmr', 'CL_Mch_Id_L_Pmr'],
     'Repeater, Station and ID Tone',
     'Whether the first tone of the code is sent short or long; a long first tone wakes '
     'radios that save power.',
     'レピーター、局、ID トーン', 'コードの最初のトーンを短くするか長くするかです。長くすると'
     'パワーセーブ中の無線機を起こせます。'),
    ('mch-msk-sig', ['CL_Mch_Msk_Sig'], 'MSK',
     'Switches MSK data signalling on for the channel. The other signalling columns of the '
     'row are then checked against it and marked when they do not fit.',
     'MSK', 'チャンネルで MSK データ信号を使います。この行の他の信号の列はこれに合わせて'
     'チェックされ、合わないものに印が付きます。'),
    ('mch-msk-status', ['CL_Mch_Msk_SendStatus'], 'MSK Send Status',
     'Whether the user can send MSK status messages on this channel.',
     'MSK ステータス送信', 'このチャンネルでユーザーが MSK ステータスを送信できるかどうかです。'),
    ('mch-msk-rpt', ['CL_Mch_Msk_Rpt'], 'MSK Repeater',
     'Off, the MSK repeater, or the number of a repeater code to send before a call.',
     'MSK レピーター', 'オフ、MSK レピーター、または呼び出しの前に送信するレピーターコードの'
     '番号です。'),
    ('mch-msk-stn', ['CL_Mch_Msk_Stn'], 'MSK Station',
     'The MSK station ID the channel calls. Greyed while MSK is off.',
     'MSK 局', 'チャンネルで呼び出す MSK 局 ID です。MSK がオフのときは灰色になります。'),
    ('mch-dig-sig', ['CL_Mch_Dig_Sig'], 'Signal',
     'Shows whether the channel is analogue, digital, both, or PMR446 digital.',
     '信号', 'チャンネルがアナログ、デジタル、両方、PMR446 デジタルのどれかを表示します。'),
]

# Rows of the memory channel overview.
BANK_TOPICS = [
    ('bank-number', ['CL_Misc_ChNo_1Base'], 'Bank',
     'The number of the bank. Open its channels with the bank\'s entry in the tree.',
     'バンク', 'バンク番号です。チャンネルはツリーのバンクの項目で開きます。'),
    ('bank-size', ['CL_Mch_Bank'], 'Channels',
     'How many channels the bank has. A larger number adds empty channels at its end; a '
     'smaller one removes only unused channels at its end. All banks share the radio\'s '
     'channel memory.',
     'チャンネル数', 'バンクのチャンネル数です。増やすと末尾に空のチャンネルが追加され、'
     '減らすと末尾の未使用チャンネルだけが削除されます。すべてのバンクで無線機の'
     'チャンネルメモリーを共有します。'),
    ('bank-used', ['CL_Mch_UsedCHs'], 'In Use',
     'How many channels of the bank have a frequency.',
     '使用中', 'バンクのチャンネルのうち周波数が設定されているものの数です。'),
    ('bank-smartrunk', ['CL_Mch_SmarTrunk'], 'SmarTrunk',
     'Makes the bank a trunking bank for the trunking logic unit. Leave it off without that '
     'unit.',
     'SmarTrunk', 'バンクをトランキングロジックユニット用のトランキングバンクにします。'
     'ユニットがない場合はオフのままにしてください。'),
]

# Windows outside the tree: page file, English title and summary, Japanese title and
# summary, topics.
WINDOWS = [
    ('cloneinfo.html', 'Radio Information',
     'What the radio reported about itself the last time it was read: model, firmware, '
     'serial number and fitted units. Nothing here can be changed.',
     '無線機の情報', '最後に読み込んだときに無線機が報告した内容です。機種、ファームウェア、'
     'シリアル番号、装着ユニットなどで、変更はできません。', [
         ('info-model', ['CL_CloneInfo_Model'], 'Model',
          'The model and version of the radio.', '機種', '無線機の機種とバージョンです。'),
         ('info-revision', ['CL_CloneInfo_Revision'], 'Firmware Revision',
          'The firmware of the radio. Quote it when you ask for service.',
          'ファームウェアリビジョン', '無線機のファームウェアです。サービスを依頼するときに'
          'お伝えください。'),
         ('info-esn', ['CL_CloneInfo_Esn'], 'Serial Number',
          'The serial number of the radio, for your records.',
          'シリアル番号', '無線機のシリアル番号です。記録用に控えてください。'),
         ('info-checksum', ['CL_CloneInfo_CheckSum'], 'Checksum',
          'The checksum of the radio\'s memory. Two radios programmed alike show the same '
          'checksum.',
          'チェックサム', '無線機のメモリーのチェックサムです。同じ内容を書き込んだ無線機は'
          '同じ値になります。'),
         ('info-comment', ['CL_CloneInfo_Comment1', 'CL_CloneInfo_Comment2'], 'Comments',
          'The two clone comments kept in the radio, as written on the Radio page.',
          'コメント', '無線機に保存されている 2 行のクローンコメントです。無線機のページで'
          '書き込みます。'),
         ('info-option', ['CL_CloneInfo_Option'], 'Option Units',
          'The option units fitted in the radio. Settings for units that are not fitted have '
          'no effect.',
          'オプションユニット', '無線機に装着されているオプションユニットです。装着されて'
          'いないユニットの設定は効果がありません。'),
         ('info-overvolt', ['CL_CloneInfo_OverVolt'], 'Power Supply',
          'Whether the radio has seen a supply voltage above its limit. If it has, check the '
          'charger and the vehicle supply.',
          '電源', '無線機が上限を超える電源電圧を検出したかどうかです。検出した場合は充電器と'
          '車両電源を確認してください。'),
     ]),
    ('adreadings.html', 'A/D Readings',
     'The live readings of the radio\'s converters in adjustment mode, each in decimal, in '
     'hexadecimal and as a voltage. Use them to check an adjustment against a test set; '
     'they cannot be changed here.',
     'A/D 読み取り値', '調整モードでの無線機の変換器の現在値で、10 進数、16 進数、電圧で表示'
     'します。測定器と照らし合わせて調整を確認するために使い、ここで変更はできません。', [
         ('ad-vin', ['CL_WinAD_VIN_Dec', 'CL_WinAD_VIN_Hex', 'CL_WinAD_VIN_Vt'],
          'Supply Voltage', 'The supply voltage the radio measures.',
          '電源電圧', '無線機が測定した電源電圧です。'),
         ('ad-temps', ['CL_WinAD_TEMPS_Dec', 'CL_WinAD_TEMPS_Hex', 'CL_WinAD_TEMPS_Vt'],
          'Temperature', 'The temperature sensor of the transmitter, which reduces power when '
          'the radio runs hot.',
          '温度', '送信部の温度センサーです。高温になると送信出力を下げます。'),
         ('ad-lvin', ['CL_WinAD_LVIN_Dec', 'CL_WinAD_LVIN_Hex', 'CL_WinAD_LVIN_Vt'],
          'Level Input', 'The audio level input.', 'レベル入力', 'オーディオレベル入力です。'),
         ('ad-sd', ['CL_WinAD_SD_Dec', 'CL_WinAD_SD_Hex', 'CL_WinAD_SD_Vt'],
          'Squelch Detector', 'The noise level the squelch compares with its setting.',
          'スケルチ検出', 'スケルチが設定値と比較する雑音レベルです。'),
         ('da-t', ['CL_WinDA_T1_Dec', 'CL_WinDA_T1_Hex', 'CL_WinDA_T1_Vt', 'CL_WinDA_T2_Dec',
                   'CL_WinDA_T2_Hex', 'CL_WinDA_T2_Vt'],
          'Band-Pass Filters', 'The tuning voltages of the two receive band-pass filters.',
          'バンドパスフィルター', '2 つの受信バンドパスフィルターの同調電圧です。'),
         ('da-ref', ['CL_WinDA_REF_Dec', 'CL_WinDA_REF_Hex', 'CL_WinDA_REF_Vt'],
          'Reference', 'The reference oscillator setting, which sets the frequency accuracy.',
          '基準', '周波数精度を決める基準発振器の設定値です。'),
         ('da-bal', ['CL_WinDA_BAL_Dec', 'CL_WinDA_BAL_Hex', 'CL_WinDA_BAL_Vt'],
          'Balance', 'The modulation balance between low and high audio tones.',
          'バランス', '低い音と高い音の変調バランスです。'),
         ('da-dev', ['CL_WinDA_DEV_Dec', 'CL_WinDA_DEV_Hex', 'CL_WinDA_DEV_Vt',
                     'CL_WinDA_CTCS_Dec', 'CL_WinDA_CTCS_Hex', 'CL_WinDA_CTCS_Vt'],
          'Deviation', 'The maximum deviation of the voice and of the CTCSS tone.',
          '偏移', '音声と CTCSS トーンの最大周波数偏移です。'),
         ('da-sql', ['CL_WinDA_Sql_Dec', 'CL_WinDA_Sql_Hex', 'CL_WinDA_Sql_Vt'],
          'Squelch', 'The squelch threshold output.', 'スケルチ', 'スケルチのしきい値出力です。'),
         ('da-level', ['CL_WinDA_TXLVA_Dec', 'CL_WinDA_TXLVA_Hex', 'CL_WinDA_TXLVA_Vt',
                       'CL_WinDA_RXLVA_Dec', 'CL_WinDA_RXLVA_Hex', 'CL_WinDA_RXLVA_Vt'],
          'Transmit and Receive Level', 'The transmit power and receive audio level outputs.',
          '送信・受信レベル', '送信出力と受信オーディオレベルの出力です。'),
     ]),
    ('language.html', 'Interface Language',
     'The language of the program\'s menus, pages and messages. The image and its changes '
     'stay as they are when you switch.',
     '表示言語', 'プログラムのメニュー、ページ、メッセージの言語です。切り替えてもデータと'
     'その変更はそのまま残ります。', [
         ('language-select', ['CL_Langage_Select'], 'Interface Language',
          'Choose the language and click OK; the menus, the tree and the open page change at '
          'once. Cancel keeps the current language.',
          '表示言語', '言語を選んで OK をクリックすると、メニュー、ツリー、開いているページが'
          'すぐに切り替わります。キャンセルすると現在の言語のままです。'),
     ]),
    ('eedebug.html', 'Memory Bytes',
     'The bytes of the radio\'s memory image, sixteen to a row, for the maker\'s service '
     'staff.',
     'メモリーバイト', '無線機のメモリーイメージのバイトを 1 行に 16 個ずつ表示します。'
     'メーカーのサービス担当者向けです。', [
         ('eedebug-byte', ['CL_EeDebugWin_Adr'] + ['CL_EeDebugWin_%X' % n for n in range(16)],
          'Memory Byte',
          'The row shows its address, each column one byte in hexadecimal. Typing two hex '
          'digits changes the byte directly, without the checks of the settings pages, so '
          'keep a clone file of the radio before you do.',
          'メモリーバイト', '行の先頭がアドレス、各列が 1 バイトを 16 進数で表します。16 進数 2 桁を'
          '入力するとバイトが直接変わり、設定ページのチェックは行われないため、事前に'
          'クローンファイルを保存してください。'),
     ]),
]

# Functions of keys and ports, by their English names in the lists and by their codes:
# (anchor, English names, key codes, input codes, output codes, English label and text,
# Japanese label and text).
FUNCTIONS = [
    ('fn-none', ['None'], [0], [0], [0], 'None', 'The key or port does nothing.',
     'なし', 'キーまたはポートは何もしません。'),
    ('fn-monitor', ['Monitor'], [1], [2], [], 'Monitor',
     'Opens the squelch, or lets calls of other groups be heard, until pressed again.',
     'モニター', 'もう一度押すまでスケルチを開く、または他グループの通話を聞こえるようにします。'),
    ('fn-monitor-momentary', ['Momentary Monitor'], [2], [], [], 'Momentary Monitor',
     'Monitors only while the key is held.', 'モーメンタリーモニター',
     'キーを押している間だけモニターします。'),
    ('fn-scan', ['Scan'], [3], [3], [], 'Scan', 'Starts and stops scanning.',
     'スキャン', 'スキャンを開始・停止します。'),
    ('fn-channel', ['Channel Up', 'Channel Down'], [4, 5], [6, 7], [], 'Channel Up and Down',
     'Steps to the next or previous channel of the bank.',
     'チャンネルアップ・ダウン', 'バンク内の次または前のチャンネルに切り替えます。'),
    ('fn-bank', ['Bank Select'], [6], [], [], 'Bank Select',
     'Lets the user choose another bank.', 'バンク選択', 'ユーザーが別のバンクを選べます。'),
    ('fn-priority', ['Priority A'], [7], [], [], 'Priority A',
     'Goes straight to priority channel A.', 'プライオリティ A',
     'プライオリティチャンネル A に直接切り替えます。'),
    ('fn-talkaround', ['Talk Around'], [8], [], [], 'Talk Around',
     'Transmits on the receive frequency, to talk radio to radio when the repeater is out of '
     'reach.', 'トークアラウンド',
     '受信周波数で送信し、レピーターが届かないときに無線機同士で通話します。'),
    ('fn-power', ['Transmit Power'], [10], [], [], 'Transmit Power',
     'Switches between the transmit power levels.', '送信出力', '送信出力を切り替えます。'),
    ('fn-keylock', ['Key Lock'], [11], [], [], 'Key Lock',
     'Locks the other keys against accidental presses.', 'キーロック',
     '誤操作を防ぐため他のキーをロックします。'),
    ('fn-backlight', ['Backlight'], [12], [], [], 'Backlight',
     'Lights the display and keys.', 'バックライト', '表示とキーを照明します。'),
    ('fn-home', ['Home Channel'], [13], [], [], 'Home Channel',
     'Returns to the home channel.', 'ホームチャンネル', 'ホームチャンネルに戻ります。'),
    ('fn-scanlist', ['Scan List Edit'], [14], [], [], 'Scan List Edit',
     'Adds the current channel to the scan list or removes it.', 'スキャンリスト編集',
     '現在のチャンネルをスキャンリストに追加または削除します。'),
    ('fn-nuisance', ['Nuisance Delete'], [15], [], [], 'Nuisance Delete',
     'Leaves out a busy channel from the current scan until scanning stops.',
     'ニューサンスデリート', 'スキャンを止めるまで、妨害のあるチャンネルを一時的に'
     'スキャンから外します。'),
    ('fn-squelch', ['Squelch Level'], [16], [], [], 'Squelch Level',
     'Lets the user change the squelch level.', 'スケルチレベル',
     'ユーザーがスケルチレベルを変更できます。'),
    ('fn-width', ['Wide or Narrow'], [17], [], [], 'Wide or Narrow',
     'Switches the channel width.', 'ワイド・ナロー', 'チャンネル幅を切り替えます。'),
    ('fn-vox', ['VOX'], [18], [], [], 'VOX', 'Switches voice-operated transmitting on or off.',
     'VOX', '音声による送信 (VOX) をオン・オフします。'),
    ('fn-loneworker', ['Lone Worker'], [19], [], [], 'Lone Worker',
     'Switches the lone worker timer on or off.', 'ローンワーカー',
     'ローンワーカータイマーをオン・オフします。'),
    ('fn-volume', ['Volume'], [20], [], [], 'Volume', 'Lets the user set the volume.',
     '音量', 'ユーザーが音量を設定できます。'),
    ('fn-autodial', ['DTMF Autodial'], [21], [], [], 'DTMF Autodial',
     'Sends one of the stored DTMF codes.', 'DTMF オートダイヤル',
     '登録した DTMF コードの 1 つを送信します。'),
    ('fn-call', ['2-Tone Call', '5-Tone Call', 'MSK Call', 'Digital Call'], [22, 24, 26, 29],
     [], [], 'Calls',
     'Sends a selective call of the named system to the chosen station.', '呼び出し',
     '選んだ局に、その方式の選択呼び出しを送信します。'),
    ('fn-emergency', ['Emergency', 'External Emergency'], [23, 69], [5], [7], 'Emergency',
     'As a key or an input: starts the emergency sequence set on the Emergency page (the '
     'external emergency from a switch on the accessory connector). As an output: active '
     'while the radio is in emergency.',
     '緊急', 'キーまたは入力では、緊急のページで設定した緊急動作を始めます (外部緊急は'
     'アクセサリーコネクターのスイッチから)。出力では、緊急動作中にアクティブになります。'),
    ('fn-reset', ['Call Reset'], [25], [12], [], 'Call Reset',
     'Resets a received selective call and silences its alert.', 'コールリセット',
     '受信した選択呼び出しを解除し、その通知音を止めます。'),
    ('fn-status', ['MSK Status', 'Digital Status', 'Status Input'], [27, 30], [13], [],
     'Status', 'Sends a status message.', 'ステータス', 'ステータスを送信します。'),
    ('fn-log', ['MSK Call Log'], [28], [], [], 'MSK Call Log',
     'Shows the calls received by MSK.', 'MSK 呼び出し履歴',
     'MSK で受信した呼び出しを表示します。'),
    ('fn-anadig', ['Analogue or Digital'], [31], [], [], 'Analogue or Digital',
     'Switches the channel between analogue and digital operation.', 'アナログ・デジタル',
     'チャンネルをアナログとデジタルで切り替えます。'),
    ('fn-option', ['Option Output %d' % n for n in range(1, 7)], [48, 49, 50, 54, 55, 56],
     [], [], 'Option Output',
     'Switches an option output on the accessory connector on or off, for example to drive '
     'a relay. For outputs 1 to 3 choose whether it is active high or low.',
     'オプション出力', 'アクセサリーコネクターのオプション出力をオン・オフします。リレーの'
     '駆動などに使います。出力 1 から 3 ではアクティブハイかローかを選びます。'),
    ('fn-option-momentary', ['Option Output %d, Momentary' % n for n in range(1, 7)],
     [51, 52, 53, 57, 58, 59], [], [], 'Option Output, Momentary',
     'Keeps an option output active only while the key is held.',
     'オプション出力 (モーメンタリー)', 'キーを押している間だけオプション出力を'
     'アクティブにします。'),
    ('fn-scrambler', ['Scrambler'], [73], [], [], 'Scrambler',
     'Switches the voice scrambler on or off. Choose the option port the scrambler unit uses.',
     '秘話', '秘話をオン・オフします。秘話ユニットが使うオプションポートを選びます。'),
    ('fn-ptt', ['PTT'], [], [1], [], 'PTT', 'Transmits while the input is active, for a foot '
     'switch or a desk microphone.', 'PTT',
     '入力がアクティブの間送信します。フットスイッチや卓上マイク用です。'),
    ('fn-hook', ['Hook'], [], [4], [], 'Hook',
     'Tells the radio that the microphone is on or off its hanger.', 'フック',
     'マイクがハンガーに掛かっているかどうかを無線機に知らせます。'),
    ('fn-ignition', ['Ignition Sense'], [], [8], [], 'Ignition Sense',
     'Switches the radio on and off with the vehicle\'s ignition.', 'イグニッション検出',
     '車両のイグニッションに合わせて無線機の電源をオン・オフします。'),
    ('fn-keyfunction', ['Key Function'], [], [9], [], 'Key Function',
     'The input acts like a key; choose the key function it performs.', 'キー機能',
     '入力がキーとして働きます。実行するキー機能を選びます。'),
    ('fn-horn-off', ['Horn Alert Off'], [], [10], [], 'Horn Alert Off',
     'Stops the horn alert.', 'ホーンアラートオフ', 'ホーンアラートを止めます。'),
    ('fn-txinh', ['Transmit Inhibit'], [], [11], [], 'Transmit Inhibit',
     'Stops the radio from transmitting while the input is active.', '送信禁止',
     '入力がアクティブの間、送信を禁止します。'),
    ('fn-busy', ['Busy', 'Transmitting', 'Squelch Open', 'Power On'], [], [], [1, 2, 3, 9],
     'State Outputs',
     'Active while the channel is busy, while the radio transmits, while the squelch is open '
     'or while the radio is on.',
     '状態出力', 'チャンネル使用中、送信中、スケルチが開いている間、または電源オンの間'
     'アクティブになります。'),
    ('fn-decoded', ['Tone Decoded', 'Selective Call Decoded', 'Status Received'], [], [],
     [4, 10, 11], 'Decoded Outputs',
     'Active when the channel\'s tone, a selective call or a status was received.',
     'デコード出力', 'チャンネルのトーン、選択呼び出し、ステータスを受信したときに'
     'アクティブになります。'),
    ('fn-alerts', ['Horn Alert', 'Call Alert', 'External Speaker'], [], [], [5, 6, 8],
     'Alert Outputs',
     'Sound the vehicle horn or a lamp on a call, or switch an external speaker.',
     '通知出力', '呼び出しのときに車両のホーンやランプを鳴らす・点けるか、外部スピーカーを'
     '切り替えます。'),
]

# Texts of further settings, by their English caption in the sheets: English, Japanese.
_KEY = ('The function of this key. Click to choose it from the list; the help of the cell '
        'then explains the chosen function. Give the keys the functions the user needs '
        'most, and the same functions on every radio of a fleet.',
        'このキーの機能です。クリックしてリストから選びます。セルのヘルプでは選んだ機能を'
        '説明します。ユーザーがよく使う機能を割り当て、フリートのすべての無線機で同じに'
        'してください。')
_PORT = ('The function of this pin of the accessory connector, its direction and the level '
         'that makes it active. Click the function to choose it; the help of the cell then '
         'explains the chosen function. A port taken by a port mode below is greyed.',
         'アクセサリーコネクターのこの端子の機能、方向、アクティブになるレベルです。機能を'
         'クリックして選びます。セルのヘルプでは選んだ機能を説明します。下のポートモードで'
         '使われているポートは灰色になります。')
_MODE = ('Gives the accessory connector\'s pins to this accessory. Its pins are then no '
         'longer free for the port functions above.',
         'アクセサリーコネクターの端子をこのアクセサリーに割り当てます。その端子は上のポートの'
         '機能には使えなくなります。')
SETTINGS = {
    'Option Key': _KEY, 'Right Key, Lower': _KEY, 'Left Key, Upper': _KEY,
    'Left Key, Lower': _KEY, 'Key P0': _KEY, 'Key P1': _KEY, 'Key P2': _KEY, 'Key P3': _KEY,
    'Microphone Up': _KEY, 'Microphone Down': _KEY, 'Microphone A': _KEY, 'Microphone B': _KEY,
    'Port 1': _PORT, 'Port 2': _PORT, 'Port 3': _PORT, 'Port 4': _PORT,
    'Port 5 (Input)': _PORT, 'Port 6 (Output)': _PORT,
    'External PTT': _MODE, 'Serial Interface': _MODE, 'Audio Output': _MODE,
    'Ignition Switch': _MODE, 'Horn Alert': _MODE,
    'Bank Mode': ('One bank, or several banks the user can select. Changing it empties every '
                  'bank and starts again with 16 channels per bank, so choose it before you '
                  'set up channels.',
                  '1 つのバンクにするか、ユーザーが選べる複数のバンクにするかです。変更すると'
                  'すべてのバンクが空になり、バンクごとに 16 チャンネルから始め直すため、'
                  'チャンネルを設定する前に選んでください。'),
    'Channels in All Banks': ('How many channels the banks have together.',
                              'すべてのバンクのチャンネル数の合計です。'),
    'Channels That Can Be Added': ('How many more channels the radio\'s memory can take.',
                                   '無線機のメモリーにあと何チャンネル追加できるかです。'),
    'Channels in Use': ('How many channels have a frequency.',
                        '周波数が設定されているチャンネルの数です。'),
    'Free Channels': ('How many channels can still be given a frequency.',
                      'まだ周波数を設定できるチャンネルの数です。'),
    'Stop Time B': ('The second stop time, used by channels that ask for timer B.',
                    'タイマー B を使うチャンネル用の 2 つ目の停止時間です。'),
    'Beep at End of Talk-Back': ('A beep when the talk-back time ends and scanning resumes.',
                                 'トークバック時間が終わりスキャンを再開するときに鳴らす'
                                 '音です。'),
    'Monitor Key During Scan': ('What the monitor key does while the radio scans: monitor, '
                                'stop the scan, or both.',
                                'スキャン中のモニターキーの動作です。モニター、スキャン停止、'
                                'または両方です。'),
    'Backlight When Scan Stops': ('Lights the display when scanning stops on a call.',
                                  'スキャンが呼び出しで止まったときに表示を照明します。'),
    'Nuisance Channel Delete': ('Lets the user leave out a busy channel from the current '
                                'scan.',
                                'ユーザーが妨害のあるチャンネルを現在のスキャンから外せる'
                                'ようにします。'),
    'Scan by Channel Mode': ('The kind of scan the channels use: normal, priority or dual '
                             'priority.',
                             'チャンネルで使うスキャンの種類です。通常、プライオリティ、'
                             'デュアルプライオリティから選びます。'),
    'Automatic Channel Call (PMR)': ('Sends a call automatically when scanning stops on a '
                                     'PMR channel.',
                                     'PMR チャンネルでスキャンが止まったときに自動で呼び出しを'
                                     '送信します。'),
    'List Type': ('The scan of this list: off, normal scan or priority scan.',
                  'このリストのスキャン方式です。オフ、通常スキャン、プライオリティスキャンから'
                  '選びます。'),
    'Scan Mode': ('Normal scan, or scan with one or two priority channels, with or without '
                  'talk-back. It follows the list type and the transmit action.',
                  '通常スキャン、または 1 つか 2 つのプライオリティチャンネル付きのスキャンで、'
                  'トークバックの有無を含みます。リストの方式と送信動作に従って決まります。'),
    'Priority Channel 1': ('The channel the radio checks most often while scanning: none, '
                           'the selected channel, the last used channel or a fixed channel.',
                           'スキャン中に最も頻繁に確認するチャンネルです。なし、選択中、'
                           '最後に使用、固定のチャンネルから選びます。'),
    'Priority Channel 2': ('A second channel the radio checks often while scanning, chosen '
                           'the same way.',
                           'スキャン中に頻繁に確認する 2 つ目のチャンネルで、同じように'
                           '選びます。'),
    'Transmit Channel': ('The channel the radio transmits on when the user presses PTT '
                         'during a scan.',
                         'スキャン中に PTT を押したときに送信するチャンネルです。'),
    'Talk-Back on the Transmit Channel': ('Whether the radio answers on the transmit channel '
                                          'during the talk-back time.',
                                          'トークバック時間中に送信チャンネルで応答するか'
                                          'どうかです。'),
    'Transmit Action': ('What PTT does during a scan: transmit on the transmit channel, or '
                        'stop scanning and transmit on the selected channel.',
                        'スキャン中に PTT を押したときの動作です。送信チャンネルで送信するか、'
                        'スキャンを止めて選択中のチャンネルで送信します。'),
    'Cancel Channel': ('The channel the radio goes to when the user ends scanning: the '
                       'selected, the last used or the stopped channel, with or without '
                       'talk-back.',
                       'ユーザーがスキャンを終了したときに切り替えるチャンネルです。選択中、'
                       '最後に使用、停止したチャンネルから、トークバックの有無を含めて'
                       '選びます。'),
    'Talk-Back on the Cancel Channel': ('Whether the radio stays on the cancel channel for '
                                        'the talk-back time.',
                                        'トークバック時間の間キャンセルチャンネルに留まるか'
                                        'どうかです。'),
    'Display During Scan': ('What the display shows while the radio scans: the scan list '
                            'name, the channel name, its number or its frequency.',
                            'スキャン中の表示内容です。スキャンリスト名、チャンネル名、'
                            'チャンネル番号、周波数から選びます。'),
    'Power Save During Scan': ('Lets the receiver sleep while scanning pauses, to save the '
                               'battery.',
                               'スキャンの休止中に受信部を休ませ、電池を節約します。'),
}

SETTINGS.update({
    'Power Switch': ('What the power switch does: switch the radio on and off, do so together '
                     'with the volume knob, or keep the radio always on (for vehicle radios '
                     'switched by the ignition).',
                     '電源スイッチの動作です。電源のオン・オフ、音量つまみと一体のオン・オフ、'
                     'または常時オン (イグニッションで電源を入れる車載機用) から選びます。'),
    'Keypad': ('What the number keys do: select channels, send DTMF as well, or make digital '
               'calls.',
               'テンキーの動作です。チャンネル選択、DTMF 送信との併用、デジタル呼び出しなど'
               'から選びます。'),
    'Rotary Knob': ('What the rotary knob turns: channel, volume, bank, or bank and channel.',
                    'ロータリーノブで切り替えるものです。チャンネル、音量、バンク、バンクと'
                    'チャンネルから選びます。'),
    'Smart Key': ('Whether the smart key function is used.',
                  'スマートキー機能を使うかどうかです。'),
    'Microphone Keys': ('Switches the keys of the microphone on. While off, their assignments '
                        'below are grey and the microphone keys do nothing.',
                        'マイクのキーを有効にします。オフの間は下の割り当てが灰色になり、'
                        'マイクのキーは何もしません。'),
    'External Emergency Key': ('Whether a switch on the accessory connector starts the '
                               'emergency sequence.',
                               'アクセサリーコネクターのスイッチで緊急動作を始めるかどうかです。'),
    'RF Power Selection': ('Whether the transmit power is fixed per channel or the user can '
                           'switch between high and low (or high, low 1 and low 2) with a key.',
                           '送信出力をチャンネルごとに固定するか、キーでハイとロー (または'
                           'ハイ、ロー 1、ロー 2) を切り替えられるようにするかです。'),
    'Memory Recall Code': ('Whether the user can recall a memory channel directly by '
                           'typing its code on the keypad.',
                           'テンキーでコードを入力してメモリーチャンネルを直接呼び出せるか'
                           'どうかです。'),
    'Monitor When Off-Hook': ('Opens the monitor when the microphone is taken off its hanger, '
                              'so the user hears the channel before talking.',
                              'マイクをハンガーから外したときにモニターを開き、話す前に'
                              'チャンネルを聞けるようにします。'),
    'Priority A When Off-Hook': ('Goes to priority channel A when the microphone is taken '
                                 'off its hanger.',
                                 'マイクをハンガーから外したときにプライオリティチャンネル A に'
                                 '切り替えます。'),
    'Scan When Off-Hook': ('Whether scanning goes on while the microphone is off its hanger.',
                           'マイクがハンガーから外れている間もスキャンを続けるかどうかです。'),
    'Scan Suspended When Off-Hook': ('What happens to scanning, monitor and priority A when '
                                     'the microphone is taken off its hanger.',
                                     'マイクをハンガーから外したときのスキャン、モニター、'
                                     'プライオリティ A の動作です。'),
    'Priority A at Power On': ('Starts on priority channel A when the radio is switched on.',
                               '電源を入れたときにプライオリティチャンネル A から始めます。'),
    'Priority A Clear Down': ('Returns to priority channel A when a call is cleared down.',
                              '通話を終了したときにプライオリティチャンネル A に戻ります。'),
    'Opening Text': ('The text of up to 8 characters the display shows when the radio is '
                     'switched on, for example the fleet\'s name.',
                     '電源を入れたときに表示する 8 文字までのテキストです。フリート名などを'
                     '入れます。'),
    'Opening Beep': ('Whether the radio beeps when it is switched on.',
                     '電源を入れたときに音を鳴らすかどうかです。'),
    'Scroll Time': ('How fast a text longer than the display scrolls, in seconds per step; '
                    'off shows it without scrolling.',
                    '表示より長いテキストをスクロールする速さ (1 ステップあたりの秒数) です。'
                    'オフにするとスクロールしません。'),
    'LED Pattern 1': ('What the lamp shows: on while busy, on while transmitting, or '
                      'flashing on a call.',
                      'ランプの表示です。ビジー中に点灯、送信中に点灯、呼び出しで点滅から'
                      '選びます。'),
    'Time-Out Timer': ('Ends a transmission that lasts too long, to keep a stuck PTT from '
                       'blocking the channel.',
                       '長すぎる送信を打ち切り、押したままの PTT でチャンネルがふさがるのを'
                       '防ぎます。'),
    'Time-Out Time': ('How long a transmission may last before the time-out timer ends it.',
                      'タイムアウトタイマーで打ち切るまでの送信時間です。'),
    'Time-Out Beep': ('A warning beep shortly before the time-out timer ends the '
                      'transmission.',
                      'タイムアウトタイマーで送信が打ち切られる少し前に鳴らす予告音です。'),
    'Time-Out Penalty Time': ('How long the user must wait after a time-out before '
                              'transmitting again.',
                              'タイムアウトの後、再び送信できるまで待つ時間です。'),
    'Time-Out Reset': ('How long the PTT must stay released before the time-out timer '
                       'starts afresh; off starts it afresh at every release.',
                       'タイムアウトタイマーが最初から数え直すまでに PTT を離しておく時間です。'
                       'オフにすると離すたびに数え直します。'),
    'Busy Channel Lockout (Analogue)': ('Stops transmitting on a busy analogue channel, for '
                                        'the channels whose busy lockout is on.',
                                        'ビジーロックアウトがオンのチャンネルで、アナログ'
                                        'チャンネルが使用中のときに送信を止めます。'),
    'Busy Channel Lockout (Digital)': ('The same for digital channels.',
                                       'デジタルチャンネルについて同じ動作をします。'),
    'Lockout Override': ('Lets the user transmit on a busy channel by pressing the PTT again.',
                         'PTT をもう一度押すと、使用中のチャンネルでも送信できるようにします。'),
    'PTT Side Tone': ('A short tone in the speaker when the PTT is pressed, telling the user '
                      'the radio transmits.',
                      'PTT を押したときにスピーカーで短い音を鳴らし、送信を知らせます。'),
    'CTCSS Reverse Burst': ('Sends the CTCSS tone with reversed phase at the end of a '
                            'transmission, so the other radios close their squelch without a '
                            'noise burst.',
                            '送信の終わりに CTCSS トーンを逆位相で送り、相手の無線機が雑音なしで'
                            'スケルチを閉じるようにします。'),
    'CTCSS Tone Burst': ('Sends a short burst of the tone to open a repeater.',
                         'レピーターを開くためにトーンを短く送ります。'),
    'Low Battery Warning 1': ('Whether the radio warns when the battery reaches its first '
                              'low level; the period below sets how often.',
                              'バッテリーが最初の低下レベルに達したときに警告するかどうかです。'
                              '警告の間隔は下の設定で決めます。'),
    'Low Battery Warning 2': ('Whether the radio warns again at the second, lower level.',
                              'さらに低い 2 番目のレベルで再び警告するかどうかです。'),
    'Stun': ('Lets the base disable the radio by a stun code, for example when it is lost or '
             'stolen: stun, stun and kill, or transmit inhibit.',
             '紛失や盗難のときなどに、基地局からスタンコードで無線機を使えなくします。スタン、'
             'スタンとキル、送信禁止から選びます。'),
    'Battery Type': ('The battery the radio is used with, so its warnings match the battery: '
                     'Li-ion, Li-ion for low temperatures, dry cells or NiMH.',
                     '使用するバッテリーの種類で、警告をバッテリーに合わせます。リチウム'
                     'イオン、低温用リチウムイオン、乾電池、ニッケル水素から選びます。'),
    'RS-232C Mode': ('What the data port is used for (data, GPS or control) and whether the '
                     'internal or the external port is used.',
                     'データポートの用途 (データ、GPS、制御) と、内部ポートと外部ポートの'
                     'どちらを使うかです。'),
    'RS-232C Speed': ('The speed of the data port: 9600, 19200 or 38400 bps. It must match '
                      'the connected equipment.',
                      'データポートの速度 (9600、19200、38400 bps) です。接続する機器に'
                      '合わせてください。'),
    'Scrambler Type': ('The voice scrambler used: inversion, rolling code or variable '
                       'frequency. All radios of a fleet must use the same.',
                       '使用する秘話方式です。反転、ローリングコード、可変周波数から選びます。'
                       'フリートのすべての無線機で同じにする必要があります。'),
})

# The texts a digital radio shows for the states of a call, by their caption.
_STATES = {
    'Standby': ('while it waits for calls', '待ち受け中'),
    'Calling': ('while it calls', '呼び出し中'),
    'Connected': ('while a call is connected', '通話の接続中'),
    'Busy': ('when the called radio or the channel is busy', '相手またはチャンネルが使用中のとき'),
    'Wait': ('while it waits for the channel', 'チャンネルを待っている間'),
    'No Answer': ('when the called radio does not answer', '相手が応答しないとき'),
    'Complete': ('when a call or message went through', '呼び出しやメッセージが届いたとき'),
    'Failed': ('when a call or message failed', '呼び出しやメッセージが失敗したとき'),
    'Cancelled': ('when the user cancelled a call', 'ユーザーが呼び出しを取り消したとき'),
    'Locked': ('while its keys are locked', 'キーがロックされている間'),
    'Low Battery': ('when the battery is low', 'バッテリーが低下したとき'),
    'High Voltage': ('when the supply voltage is too high', '電源電圧が高すぎるとき'),
}
for _caption, (_en, _ja) in _STATES.items():
    SETTINGS[_caption] = ('The message the display shows %s. Keep it short enough for the '
                          'display.' % _en,
                          '%sに表示するメッセージです。表示に収まる長さにしてください。' % _ja)
_CODE = ('A 2-tone code: its first and second tone in Hz and how it is used. Channels and keys '
         'call a code by its number, so keep the numbers the fleet already uses.',
         '2 トーンコードです。第 1 トーンと第 2 トーンの周波数 (Hz) と使い方を設定します。'
         'チャンネルやキーは番号でコードを呼び出すので、フリートで使っている番号に合わせて'
         'ください。')
_TONE = ('A tone of your own: its frequency in Hz and the range a received tone may lie in to '
         'be decoded as this one. Channels can use it as User 1 to User 16.',
         '独自のトーンです。周波数 (Hz) と、このトーンとしてデコードする受信トーンの範囲を'
         '設定します。チャンネルではユーザー 1 から 16 として使えます。')
SETTINGS.update({'Code %d' % n: _CODE for n in range(1, 33)})
SETTINGS.update({'Tone %d' % n: _TONE for n in range(1, 17)})
SETTINGS.update({
    'Emergency Input': ('Whether the emergency input of the accessory connector is used.',
                        'アクセサリーコネクターの緊急入力を使うかどうかです。'),
    'Silent Emergency': ('Sends the emergency without any sound or display on the radio, so '
                         'that an attacker does not notice it.',
                         '無線機で音も表示も出さずに緊急を送信し、周囲に気付かれないように'
                         'します。'),
    'Maximum Alert Level': ('The loudest level of the emergency alert.',
                            '緊急警報の最大音量です。'),
    'Microphone Gain': ('The microphone gain, 1 to 5. Raise it for a user who speaks softly; '
                        'on the Emergency page, the gain while the emergency transmits.',
                        'マイクゲイン (1 から 5) です。声の小さいユーザーには上げてください。'
                        '緊急のページでは、緊急送信中のゲインです。'),
    'Repeat Cycle': ('How many times the sequence repeats; 0 repeats it without end.',
                     '動作を繰り返す回数です。0 にすると終わりなく繰り返します。'),
    ('GI_Sheet_Emergency', 'Squelch'): (
        'Whether the squelch opens while the emergency receives, so the user hears the '
        'answer.',
        '緊急の受信中にスケルチを開き、応答が聞こえるようにするかどうかです。'),
    'Emergency Code': ('The number (1 to 32) of the code sent as the emergency call.',
                       '緊急呼び出しとして送信するコードの番号 (1 から 32) です。'),
    'Emergency Code Sent': ('Whether the emergency code is sent at all.',
                            '緊急コードを送信するかどうかです。'),
    'Long Emergency Code': ('Sends the emergency code with a long first tone, to wake radios '
                            'that save power.',
                            '最初のトーンを長くして緊急コードを送り、パワーセーブ中の無線機を'
                            '起こします。'),
    'Start Time': ('How long the emergency key must be held before the emergency starts, so a '
                   'touch does not start it.',
                   '緊急が始まるまで緊急キーを押し続ける時間です。軽く触れただけで'
                   '始まらないようにします。'),
    ('GI_Sheet_Emergency', 'Automatic Transmission Time'): (
        'How long the radio transmits by itself in each cycle.',
        '各サイクルで無線機が自動で送信する時間です。'),
    'Automatic Reception Time': ('How long the radio listens between its automatic '
                                 'transmissions.',
                                 '自動送信の合間に受信する時間です。'),
    'Idle Time': ('The pause between two cycles.', '2 つのサイクルの間の休止時間です。'),
    'Transmit Tone Time': ('How long the alert tone sounds during transmission.',
                           '送信中に警報トーンを鳴らす時間です。'),
    'Receive Tone Time': ('How long the alert tone sounds during reception.',
                          '受信中に警報トーンを鳴らす時間です。'),
    'Emergency Text': ('The text of up to 8 characters shown during an emergency.',
                       '緊急中に表示する 8 文字までのテキストです。'),
    'Repeat at Start': ('How many times the start of the emergency repeats; 0 without end.',
                        '緊急の開始を繰り返す回数です。0 にすると終わりなく繰り返します。'),
    'Switch-On Time': ('How long an output stays on in each cycle.',
                       '各サイクルで出力をオンにしておく時間です。'),
    'Switch-Off Time': ('How long an output stays off in each cycle.',
                        '各サイクルで出力をオフにしておく時間です。'),
    'Start': ('The delay before the emergency timing begins.',
              '緊急のタイミングが始まるまでの遅延です。'),
    'On Time': ('How long the alert is on in each cycle.', '各サイクルで警報をオンにする時間です。'),
    'Off Time': ('How long the alert is off in each cycle.', '各サイクルで警報をオフにする時間です。'),
    'Siren': ('How long the siren sounds.', 'サイレンを鳴らす時間です。'),
    'Man Down': ('Starts the emergency when the radio lies still or tilted, for example when '
                 'the user has fallen.',
                 'ユーザーが倒れたときなど、無線機が傾いたまま動かないときに緊急を始めます。'),
    'Man Down Time': ('How long the radio must lie still before the man-down alarm begins.',
                      'マンダウン警報が始まるまでに無線機が動かない時間です。'),
    'Stage 1 Time': ('The length of the first stage of the man-down alarm, in which the user '
                     'can still cancel it.',
                     'マンダウン警報の第 1 段階の長さです。この間はユーザーが取り消せます。'),
    'Stage 2 Time': ('The length of the second stage of the man-down alarm.',
                     'マンダウン警報の第 2 段階の長さです。'),
    'Stage 3 Time': ('The length of the third stage, after which the emergency is sent.',
                     '第 3 段階の長さで、その後に緊急が送信されます。'),
    'Time-Out': ('How long the lone worker may go without pressing a key before the radio '
                 'warns.',
                 'ローンワーカーがキーを押さずにいられる時間で、過ぎると無線機が警告します。'),
    'Pre-Alarm': ('How long the radio warns before it sends the emergency; a key press in this '
                  'time stops it.',
                  '緊急を送信する前に警告する時間です。この間にキーを押すと止まります。'),
    'Repeat Alarm': ('How often the lone worker alarm repeats.',
                     'ローンワーカー警報を繰り返す間隔です。'),
    'PTT Delay': ('The delay after the PTT before the lone worker timer starts again.',
                  'PTT の後、ローンワーカータイマーが再び始まるまでの遅延です。'),
    'Own ID': ('The radio\'s own ID, which it sends with its calls and answers to. Every radio '
               'of a fleet needs its own.',
               '無線機自身の ID で、呼び出しと一緒に送信し、これで呼び出しを受けます。フリートの'
               '無線機ごとに異なる ID が必要です。'),
    'Group ID': ('The ID of the radio\'s group, for group calls.',
                 'グループ呼び出し用の、無線機が属するグループの ID です。'),
    'Initial Transmit Delay': ('How long the radio waits after keying up before it sends MDC '
                               'data, so the repeater has opened.',
                               '送信を始めてから MDC データを送るまでの待ち時間で、レピーターが'
                               '開くのを待ちます。'),
    'Transmit Sync Retries': ('How often the radio sends a call again when no '
                              'acknowledgement comes.',
                              '確認応答がないときに呼び出しを再送する回数です。'),
    'Receive Sync Threshold': ('How exactly a received signal must match to be decoded.',
                               '受信信号をデコードするために必要な一致の度合いです。'),
    'Coast Time': ('How long the radio keeps a decoded call open after the signal fades.',
                   '信号が途切れた後もデコードした呼び出しを保持する時間です。'),
    'DOS Time': ('The time of the data-operated squelch.',
                 'データ動作スケルチ (DOS) の時間です。'),
    'Automatic Reset': ('Returns the radio to standby by itself after a call.',
                        '通話の後、無線機を自動で待ち受けに戻します。'),
    'Keypad Time-Out': ('How long the radio waits for the next key while the user types a '
                        'number.',
                        '番号の入力中に次のキーを待つ時間です。'),
    'Menu Time-Out': ('How long a menu stays open without a key press.',
                      'キー操作がないときにメニューを開いておく時間です。'),
    'Mute Type': ('Whether the speaker opens on a call and closes again by itself, or stays '
                  'open until reset.',
                  '呼び出しでスピーカーを開いて自動で閉じるか、リセットまで開いたままに'
                  'するかです。'),
    'Mute MSK': ('Mutes the MSK data tones in the speaker.',
                 'スピーカーで MSK データのトーンをミュートします。'),
    'Call Log': ('Keeps a list of received calls.', '受信した呼び出しのリストを保存します。'),
    'Call Log Action': ('Whether a logged call only goes into the list or also alerts the '
                        'user.',
                        '記録した呼び出しをリストに入れるだけか、ユーザーに通知もするかです。'),
    'No-Tone Time (s)': ('The silence between two codes that ends a 2-tone sequence.',
                         '2 トーンの並びを区切るコード間の無音時間です。'),
    'Group Call Time': ('How long a received group call keeps the speaker open.',
                        '受信したグループ呼び出しでスピーカーを開いておく時間です。'),
    'External Speaker Time': ('How long the external speaker output stays on after a call.',
                              '呼び出しの後、外部スピーカー出力をオンにしておく時間です。'),
    'Beep Repeat Time': ('How often the call alert beeps again until the user answers; off '
                         'beeps once.',
                         'ユーザーが応答するまで呼び出し通知音を繰り返す間隔です。オフでは'
                         '1 回だけ鳴らします。'),
    'Tone Comparison': ('How far a received tone may be from its nominal frequency, from 1.5 '
                        'to 4.5 percent.',
                        '受信トーンが公称周波数からずれてもよい範囲 (1.5 から 4.5 %) です。'),
    'Transmit Wait': ('How long the radio waits before transmitting a digital call.',
                      'デジタル呼び出しを送信する前の待ち時間です。'),
    'Channel Check': ('How long the radio checks that the channel is free.',
                      'チャンネルが空いているか確認する時間です。'),
    'Free Channel': ('How long the channel must be free before the radio transmits.',
                     '送信する前にチャンネルが空いている必要がある時間です。'),
    'Acknowledge': ('How long the radio waits for an acknowledgement.',
                    '確認応答を待つ時間です。'),
    'Wake-Up': ('How many wake-up bursts precede a call (1 to 4).',
                '呼び出しの前に送るウェイクアップの回数 (1 から 4) です。'),
    'Level L0 (dBm)': ('The signal level (-115 to -100 dBm) that counts as a busy channel.',
                       'チャンネル使用中とみなす信号レベル (-115 から -100 dBm) です。'),
    'Lowest Volume': ('The lowest volume the user can set, so calls are never missed.',
                      'ユーザーが設定できる最小音量で、呼び出しを聞き逃さないようにします。'),
    'LCD Contrast': ('The contrast of the display, 1 to 8.', '表示のコントラスト (1 から 8) です。'),
    'VOX': ('Transmits when the user speaks, without pressing the PTT (with a headset).',
            'PTT を押さずに、話すと送信します (ヘッドセット使用時)。'),
    'VOX Gain': ('How loud the voice must be to start transmitting, 1 to 10.',
                 '送信を始めるのに必要な声の大きさ (1 から 10) です。'),
    'VOX Delay': ('How long the radio keeps transmitting after the user stops speaking.',
                  '話し終えてから送信を続ける時間です。'),
    'Ringer': ('The sound of a received call.', '呼び出しを受けたときの音です。'),
    'Ringer Level': ('The loudness of the ringer, 1 to 8.', '着信音の大きさ (1 から 8) です。'),
    'Ringer Time': ('How long the ringer sounds.', '着信音を鳴らす時間です。'),
    'Lone Worker': ('Whether the user can switch the lone worker timer on in set mode.',
                    'ユーザーがセットモードでローンワーカータイマーをオンにできるかどうかです。'),
})

_ACCESS = ('Whether the user may enter this mode of the radio. Disable it so that users cannot '
           'change what you programmed.',
           'ユーザーが無線機のこのモードに入れるかどうかです。書き込んだ内容をユーザーが変更'
           'できないようにするには無効にします。')
_CALL = ('An entry of the MSK call list: the address to call, how many digits the user types, '
         'whether it is updated from received calls and whether the user can select it.',
         'MSK 呼び出しリストの項目です。呼び出すアドレス、ユーザーが入力する桁数、受信した'
         '呼び出しで更新するか、ユーザーが選べるかを設定します。')
_IDGROUP = ('An MSK ID group: its address and how a call to it is announced (alert, bell) and '
            'which special function it starts.',
            'MSK の ID グループです。アドレスと、そのグループへの呼び出しの通知方法 (警報、'
            'ベル)、開始する特殊機能を設定します。')
SETTINGS.update({'Call %d' % n: _CALL for n in range(1, 33)})
SETTINGS.update({'ID Group %d' % n: _IDGROUP for n in range(1, 8)})
SETTINGS['Own ID Group'] = _IDGROUP
SETTINGS.update({
    'Set Mode Access': _ACCESS, 'Initial Set Mode Access': _ACCESS,
    'Key Change Mode Access': _ACCESS, 'All Clear Access': _ACCESS,
    'Individual Addresses': ('The range of MSK addresses that belong to single radios.',
                             '個々の無線機に割り当てる MSK アドレスの範囲です。'),
    'Group Addresses': ('The range of MSK addresses that call groups.',
                        'グループを呼び出す MSK アドレスの範囲です。'),
    'Killer Address': ('The MSK address that disables a radio remotely.',
                       '無線機を遠隔で使えなくする MSK アドレスです。'),
    'Status Base ID': ('The ID of the base that receives status messages.',
                       'ステータスを受け取る基地局の ID です。'),
    'GPS Base ID': ('The ID of the base that receives GPS positions.',
                    'GPS 位置を受け取る基地局の ID です。'),
    'Power-On Password': ('Asks for the user password each time the radio is switched on.',
                          '電源を入れるたびにユーザーパスワードを求めます。'),
    'Clone Password': ('A password of up to 16 characters that the radio asks for before it '
                       'can be read or written. Note it down: without it the radio cannot be '
                       'programmed again.',
                       '無線機の読み書きの前に求められる 16 文字までのパスワードです。控えて'
                       'おいてください。これがないと無線機を再び書き込めません。'),
    'ID Sent at Time-Out': ('Sends the radio\'s ID when the time-out timer ends a '
                            'transmission.',
                            'タイムアウトタイマーで送信を打ち切ったときに無線機の ID を'
                            '送信します。'),
    'DTMF ID Sent at Time-Out': ('Sends the DTMF ID when the time-out timer ends a '
                                 'transmission.',
                                 'タイムアウトタイマーで送信を打ち切ったときに DTMF ID を'
                                 '送信します。'),
    'Lockout Penalty Time': ('How long the user must wait after a refused transmission '
                             'before trying again.',
                             '送信を拒否された後、再び送信を試せるまで待つ時間です。'),
    'PTT Override': ('Lets the PTT interrupt what the radio is doing, for example an '
                     'incoming call alert.',
                     '着信通知など無線機の動作中でも PTT で割り込めるようにします。'),
    'PTT with Ringer': ('Lets the user answer with the PTT while the ringer sounds.',
                        '着信音が鳴っている間に PTT で応答できるようにします。'),
    'Wide Band': ('Allows wide (25 kHz) channels on this radio.',
                  'この無線機でワイド (25 kHz) チャンネルを使えるようにします。'),
    'Narrow Band': ('Allows narrow (12.5 kHz) channels on this radio.',
                    'この無線機でナロー (12.5 kHz) チャンネルを使えるようにします。'),
    'Band Change': ('Lets the user switch between wide and narrow.',
                    'ユーザーがワイドとナローを切り替えられるようにします。'),
    'Tight Squelch Offset': ('How much higher (0 to 15 steps) the squelch is on channels '
                             'with tight squelch.',
                             'タイトスケルチのチャンネルでスケルチを上げる量 (0 から 15 '
                             'ステップ) です。'),
    'CTCSS Channel Mute': ('Keeps the speaker closed until the channel\'s CTCSS tone is '
                           'received.',
                           'チャンネルの CTCSS トーンを受信するまでスピーカーを閉じておきます。'),
    'CTCSS Audio Filter': ('Filters the sub-audible tone out of the received audio.',
                           '受信音声から副可聴トーンを取り除きます。'),
    'All Call Select': ('Whether the radio answers calls to all radios.',
                        '全無線機あての呼び出しに応答するかどうかです。'),
    'Automatic Reset Time A': ('Timer A of the automatic reset: how long after a call the '
                               'radio returns to standby; off never resets.',
                               '自動リセットのタイマー A です。呼び出しの後、待ち受けに戻る'
                               'までの時間で、オフでは自動で戻りません。'),
    'Automatic Reset Time B': ('Timer B of the automatic reset, for channels that use it.',
                               'タイマー B を使うチャンネル用の自動リセットのタイマーです。'),
    'Inactivity Time': ('How long the radio may be left without use before it acts (for '
                        'example, returns to its home channel); off never.',
                        '使われないまま放置されてから無線機が動作する (ホームチャンネルに'
                        '戻るなど) までの時間です。オフでは動作しません。'),
    'Smart Ring Beep': ('How the radio rings for a call: once, twice, three times, or '
                        'repeating.',
                        '呼び出しの鳴らし方です。1 回、2 回、3 回、または繰り返しです。'),
    'Smart Ring Beep Time': ('How long the smart ring repeats.',
                             'スマートリングを繰り返す時間です。'),
    'Power Save Time 1': ('How long the receiver sleeps between checks in the first power '
                          'save stage.',
                          'パワーセーブの第 1 段階で受信部が休む時間です。'),
    'Power Save Time 2': ('The same for the second, longer stage.',
                          '第 2 段階 (より長い休止) の時間です。'),
    'Power Save Start Time 1': ('How long the channel must be quiet before power save '
                                'starts.',
                                'パワーセーブを始めるまでにチャンネルが静かである時間です。'),
    'Power Save Start Time 2': ('How long before the second power save stage starts.',
                                'パワーセーブの第 2 段階が始まるまでの時間です。'),
    'Low Battery Warning 1 Period': ('How often the first low battery warning repeats.',
                                     '最初のバッテリー低下警告を繰り返す間隔です。'),
    'Low Battery Warning 1 After Transmission': ('Gives the first warning only after a '
                                                 'transmission ends.',
                                                 '最初の警告を送信が終わった後にだけ'
                                                 '出します。'),
    'Low Battery Warning 2 Period': ('How often the second low battery warning repeats.',
                                     '2 番目のバッテリー低下警告を繰り返す間隔です。'),
    'Low Battery Warning 2 After Transmission': ('Gives the second warning only after a '
                                                 'transmission ends.',
                                                 '2 番目の警告を送信が終わった後にだけ'
                                                 '出します。'),
    'Scrambler Group Code': ('The scrambler code the fleet shares, 1 to 255.',
                             'フリートで共通の秘話コード (1 から 255) です。'),
    'Scrambler Sync Capture': ('Lets the radio join a scrambled call already in progress.',
                               '進行中の秘話通話に途中から同期できるようにします。'),
    'Scrambler Start Timing': ('The delay before the scrambler starts after keying up.',
                               '送信開始から秘話が始まるまでの遅延です。'),
    'Stun Beep': ('Whether a stunned radio beeps.', 'スタンされた無線機が音を鳴らすかどうかです。'),
    'Stun Text Shown': ('Whether a stunned radio shows a text.',
                        'スタンされた無線機がテキストを表示するかどうかです。'),
    'Display Off When Stunned': ('Switches the display off when the radio is stunned.',
                                 'スタンされたときに表示を消します。'),
    'Display Off Time': ('How long after the stun the display goes off.',
                         'スタンから表示が消えるまでの時間です。'),
    'Power Switch Inhibited When Stunned': ('Keeps a stunned radio from being switched off '
                                            'and on to clear the stun.',
                                            'スタンを解除するために電源を入れ直せない'
                                            'ようにします。'),
    'Decode All': ('Lets the radio decode the stun code sent to all radios.',
                   '全無線機あてのスタンコードをデコードできるようにします。'),
    'Revive All': ('Lets the radio decode the revive code sent to all radios.',
                   '全無線機あての復帰コードをデコードできるようにします。'),
    'Data Output When Stunned': ('Whether data still goes out of the data port while the '
                                 'radio is stunned.',
                                 'スタン中もデータポートからデータを出力するかどうかです。'),
    'Digital RS-232C Speed': ('The speed of the data port in digital operation.',
                              'デジタル運用時のデータポートの速度です。'),
    'Data Output': ('Whether received data goes out of the data port.',
                    '受信したデータをデータポートから出力するかどうかです。'),
    'MSK and MDC Own ID': ('The radio\'s own ID for MSK and MDC, four hexadecimal digits.',
                           'MSK と MDC で使う自局 ID (16 進数 4 桁) です。'),
    'MSK Coast Time': ('How long the radio keeps an MSK call open after the signal fades.',
                       '信号が途切れた後も MSK 通話を保持する時間です。'),
    'MSK DOS Time': ('The time of the MSK data-operated squelch.',
                     'MSK のデータ動作スケルチ (DOS) の時間です。'),
    'Battery Type Change': ('Lets the user change the battery type on the radio.',
                            'ユーザーが無線機でバッテリーの種類を変更できるようにします。'),
    'High Beep Frequency': ('The pitch of the high beep, 400 to 3000 Hz.',
                            '高い操作音の周波数 (400 から 3000 Hz) です。'),
    'Low Beep Frequency': ('The pitch of the low beep, 400 to 3000 Hz.',
                           '低い操作音の周波数 (400 から 3000 Hz) です。'),
    'Clock Shift': ('Shifts the radio\'s internal clock to move an interfering spurious '
                    'signal off a channel. Use it only when a channel is disturbed.',
                    '無線機の内部クロックをずらして、チャンネルに重なる不要信号を避けます。'
                    'チャンネルに妨害があるときだけ使ってください。'),
    'Dimmer with Ignition': ('Dims the display and keys together with the vehicle lights.',
                             '車両のライトに合わせて表示とキーの照明を暗くします。'),
    'DTCS Inverted on Reception': ('Decodes DTCS with inverted polarity, for systems that '
                                   'use it.',
                                   '反転した極性で DTCS をデコードします (そのような'
                                   'システム用)。'),
    'DTCS Inverted on Transmission': ('Sends DTCS with inverted polarity.',
                                      '反転した極性で DTCS を送信します。'),
    'External PTT Delay': ('The delay between the external PTT and the start of '
                           'transmission.',
                           '外部 PTT から送信開始までの遅延です。'),
    'Ignition Sense': ('Switches the radio on and off with the vehicle\'s ignition.',
                       '車両のイグニッションに合わせて無線機の電源をオン・オフします。'),
    'Ignition Time': ('How long the radio stays on after the ignition is switched off.',
                      'イグニッションを切ってから無線機の電源が入っている時間です。'),
    'PTT Switch': ('Whether the PTT switch of the radio is used.',
                   '無線機の PTT スイッチを使うかどうかです。'),
    'Receive Audio Filter': ('Filters the received audio for clearer speech.',
                             '受信音声にフィルターをかけて聞き取りやすくします。'),
    'External Speaker Delay': ('The delay before the external speaker output switches on.',
                               '外部スピーカー出力がオンになるまでの遅延です。'),
    'External Speaker': ('Uses the external speaker output.', '外部スピーカー出力を使います。'),
    'External PTT or Foot Switch': ('Whether port 1 is an external PTT or a foot switch; it '
                                    'is the same choice as the external PTT port mode.',
                                    'ポート 1 を外部 PTT にするかフットスイッチにするかです。'
                                    '外部 PTT のポートモードと同じ設定です。'),
    'Tone Mute with External PTT': ('Mutes the tones while the external PTT is used.',
                                    '外部 PTT の使用中はトーンをミュートします。'),
    'User CTCSS Tone': ('A CTCSS tone of your own, 60.0 to 300.0 Hz, for a system with a '
                        'non-standard tone.',
                        '標準外のトーンを使うシステム用の独自の CTCSS トーン (60.0 から '
                        '300.0 Hz) です。'),
})

_MSK_TIMING = ('A timer (in seconds) or retry count of the MSK protocol. Use the values the '
               'operator of the MSK system gives: they must match the base and the other '
               'radios.',
               'MSK プロトコルのタイマー (秒) または再試行回数です。MSK システムの運用者が'
               '指定する値を使ってください。基地局や他の無線機と一致している必要があります。')
SETTINGS.update({('GI_Sheet_Msk', _t): _MSK_TIMING for _t in (
    'Busy Check', 'K', 'Acknowledge Letter', 'N1', 'N2', 'NA', 'ND', 'NM', 'NR', 'T3', 'TAC',
    'TC', 'TF', 'TI', 'TOF', 'TOI', 'TRV', 'TS1', 'TS2', 'TS3', 'TT', 'TV', 'TWF', 'TWI', 'dTT')})
SETTINGS.update({
    'Common ID': ('The MSK ID that all radios of the system share, 0 to 4095.',
                  'システムのすべての無線機で共通の MSK ID (0 から 4095) です。'),
    'Country Code': ('The MSK country code of the system, 0 to 4095.',
                     'システムの MSK 国コード (0 から 4095) です。'),
    'Sync Word': ('The MSK synchronisation word, four hexadecimal digits. It must match the '
                  'system.',
                  'MSK の同期ワード (16 進数 4 桁) です。システムと一致させてください。'),
    'Call Letter': ('The time of the MSK call letter.', 'MSK コールレターの時間です。'),
    'Pre-Emphasis': ('Sends MSK data with pre-emphasis, for systems that expect it.',
                     'プリエンファシスを付けて MSK データを送信します (それを前提とする'
                     'システム用)。'),
    'PTT Call': ('When the radio sends its ID with the PTT: at press, at release, or both.',
                 'PTT で ID を送るタイミングです。押したとき、離したとき、または両方です。'),
    'PTT Enabled When Connected': ('Whether the user may transmit during a connected MSK '
                                   'call.',
                                   '接続中の MSK 通話でユーザーが送信できるかどうかです。'),
    'Caller ID Display': ('Shows the ID of the calling radio.',
                          '呼び出した無線機の ID を表示します。'),
    'Caller ID Display Time': ('How long the caller\'s ID stays on the display.',
                               '発信者 ID を表示しておく時間です。'),
    'Duration': ('How long a decoded MSK call stays open.',
                 'デコードした MSK 呼び出しを保持する時間です。'),
    'Mute MSK Tone': ('Keeps the MSK data tones out of the speaker.',
                      'MSK データのトーンをスピーカーから出さないようにします。'),
    'At Power On': ('Sends a status when the radio is switched on.',
                    '電源を入れたときにステータスを送信します。'),
    'At Power Off': ('Sends a status when the radio is switched off.',
                     '電源を切るときにステータスを送信します。'),
    'From the Base': ('Answers a status request from the base.',
                      '基地局からのステータス要求に応答します。'),
    'With Dimmer': ('Sends a status when the dimmer is switched.',
                    'ディマーを切り替えたときにステータスを送信します。'),
    'With Priority A': ('Sends a status when the radio goes to priority channel A.',
                        'プライオリティチャンネル A に切り替えたときにステータスを送信します。'),
    ('GI_Sheet_Msk', 'GPS'): ('Sends GPS positions over MSK, from a connected GPS receiver.',
                              '接続した GPS 受信機の位置を MSK で送信します。'),
    'Automatic Sending': ('Sends the position by itself at the interval below.',
                          '下の間隔で位置を自動的に送信します。'),
    'Interval': ('The interval between automatic position reports.',
                 '位置の自動送信の間隔です。'),
    'Sentence': ('Which GPS sentences are read: GGA, RMC or both.',
                 '読み取る GPS センテンスです。GGA、RMC、または両方です。'),
    'Time Marker': ('Adds the time of the fix to the position.',
                    '測位時刻を位置に付けます。'),
    'Send with Acknowledge': ('Sends the position with an acknowledgement.',
                              '確認応答と一緒に位置を送信します。'),
    'Send from the Base': ('Sends the position when the base asks for it.',
                           '基地局から要求されたときに位置を送信します。'),
    'Send with Call': ('Sends the position with each call.', '呼び出しのたびに位置を送信します。'),
    'Send with Emergency': ('Sends the position with an emergency call.',
                            '緊急呼び出しと一緒に位置を送信します。'),
    'Send at Log-Off': ('Sends the position at log-off.', 'ログオフ時に位置を送信します。'),
    'Send with Man Down': ('Sends the position with a man-down alarm.',
                           'マンダウン警報と一緒に位置を送信します。'),
    'Send with Short Message': ('Sends the position with a short message.',
                                'ショートメッセージと一緒に位置を送信します。'),
    'Send with Status': ('Sends the position with a status.',
                         'ステータスと一緒に位置を送信します。'),
})

# The texts the set mode shows for the values of its settings.
_INDICATION = ('The short text (3 characters) the radio\'s set mode shows for this value. '
               'Change it to the user\'s language if you like.',
               '無線機のセットモードでこの値に表示する短いテキスト (3 文字) です。ユーザーの'
               '言語に合わせて変更できます。')
SETTINGS.update({('GI_Sheet_SetMode', _t): _INDICATION for _t in (
    'Off', 'On', 'Automatic', 'Automatic 2', 'Analogue', 'Digital', 'Both', 'Code', 'Number')})
SETTINGS.update({
    'Audio Filter': ('The filter of the received audio in set mode.',
                     'セットモードでの受信音声のフィルターです。'),
    'Horn Output': ('Whether the horn alert output is on.', 'ホーンアラート出力をオンにするかどうかです。'),
    'Battery Voltage Display': ('Shows the battery voltage on the display.',
                                'バッテリー電圧を表示します。'),
    'Bit Error Rate Display': ('Shows the bit error rate of digital reception, for checking '
                               'coverage.',
                               'デジタル受信のビット誤り率を表示します。サービスエリアの確認に'
                               '使います。'),
    'VOX Level During Reception': ('How loud the voice must be to start VOX while a signal '
                                   'is received, 1 to 8.',
                                   '受信中に VOX で送信を始めるのに必要な声の大きさ (1 から 8) '
                                   'です。'),
    'Signal Monitor': ('Shows that a signal is present on the channel.',
                       'チャンネルに信号があることを表示します。'),
    'Code Display': ('How the radio shows the channel\'s tone or code.',
                     'チャンネルのトーンやコードの表示方法です。'),
    'Second Ringer': ('The sound of a second kind of call.', '2 種類目の呼び出しの音です。'),
})
