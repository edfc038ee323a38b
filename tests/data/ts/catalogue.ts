<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
    <extra-po-header-project_id_version>demo 1.0</extra-po-header-project_id_version>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/mainwindow.cpp" line="+12"/>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../src/menus.cpp" line="+30"/>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Save &apos;%1&apos; before closing?</source>
        <comment>dialog</comment>
        <translation type="unfinished">关闭前保存“%1”吗?</translation>
    </message>
    <message numerus="yes">
        <location line="+20"/>
        <source>%n file(s) &lt;selected&gt;</source>
        <oldsource>%n file(s) selected</oldsource>
        <extracomment>Shown in the status bar</extracomment>
        <translatorcomment>不译
brand name stays</translatorcomment>
        <translation>
            <numerusform>已选定 %n 个文件</numerusform>
        </translation>
        <extra-po-flags>qt-format</extra-po-flags>
        <extra-po-msgid_plural>%n files &lt;selected&gt;</extra-po-msgid_plural>
    </message>
    <message id="status.ready">
        <location line="+3"/>
        <source>Ready</source>
        <translation type="unfinished">就绪</translation>
    </message>
    <message>
        <source>Tab	and
newline</source>
        <translation>制表符	和
换行<byte value="x7"/></translation>
    </message>
</context>
<context>
    <name>Settings &quot;Dialog&quot;</name>
    <message>
        <location filename="../src/settings.cpp" line="+5"/>
        <source>Width:</source>
        <translation variants="yes">
            <lengthvariant>宽度：</lengthvariant>
            <lengthvariant>宽：</lengthvariant>
        </translation>
    </message>
    <message>
        <source>Old caption</source>
        <oldcomment>was a tooltip</oldcomment>
        <translation type="vanished">旧标题</translation>
    </message>
    <message>
        <source>Gone</source>
        <translation type="obsolete">已删除</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Height:</source>
        <translatorcomment>不译名单见 wiki</translatorcomment>
        <translation>高度：</translation>
    </message>
    <message>
        <source>Non&#xa0;breaking</source>
        <translation type="unfinished">不&#x3000;断</translation>
        <userdata>kept as it was</userdata>
    </message>
</context>
</TS>
