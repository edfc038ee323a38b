<?xml version='1.0' encoding='UTF-8'?>
<!DOCTYPE TS>
<!-- kept by hand -->
<TS version='2.1' language='de'>
<dependencies>
<dependency catalog='qtbase_de'/>
</dependencies>
<context>
  <name>Editor</name>
  <message numerus='yes' review='2'>
    <location filename='editor.cpp' line='88'/>
    <location line='90' column='7'/>
    <source><![CDATA[%n line(s) <b>changed</b> 😀]]></source>
    <translation type='unfinished'/>
  </message>
  <message>
    <source>Find &amp; replace</source>
    <!-- note for the team -->
    <translation type="unfinished" reviewer="ana">Suchen &#38; ersetzen</translation>
    <tool-hint priority="high">keep
      short</tool-hint>
    <extra-z-last>z</extra-z-last>
    <extra-a-first>a</extra-a-first>
  </message>
  <message><source>Close</source><translation>Schließen</translation></message>
  <message>
    <source>Quit</source>
    <translation type="unfinished"></translation>
  </message>
  <message><source>✓ Done</source><translation>Fertig</translation></message>
</context>
</TS>
