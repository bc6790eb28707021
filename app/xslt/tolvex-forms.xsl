<?xml version="1.0" encoding="UTF-8"?>
<!-- What the four HTML forms of "smeta.xml" share: the page and its style, the signature blocks,
     the title lines, the table of sections and lines (13 or 7 columns), the totals, the note and
     the representatives. Every text of the file goes out as text, never as markup. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">

<xsl:output method="html" encoding="UTF-8" doctype-system="about:legacy-compat" indent="no"/>
<xsl:decimal-format name="ru" decimal-separator="," grouping-separator="&#160;"/>

<!-- A date written in by hand: the day between quotes, then the month and year. -->
<xsl:variable name="date-line">"____"_______________________</xsl:variable>

<xsl:template name="head">
  <xsl:param name="title"/>
  <xsl:param name="page"/> <!-- "landscape" or "portrait" -->
  <head>
    <meta charset="UTF-8"/>
    <title><xsl:value-of select="$title"/></title>
    <style>
      @page { size: A4 <xsl:value-of select="$page"/>; margin: 10mm; }
      body { font-family: Arial, "Liberation Sans", sans-serif; font-size: 9pt; margin: 8mm; }
      h1 { font-size: 12pt; text-align: center; margin: 2mm 0; }
      .sign { display: flex; justify-content: space-between; margin-bottom: 3mm; }
      .sign div { width: 45%; }
      .sign b { font-size: 10pt; letter-spacing: 0.1em; }
      .sign .right { margin-left: auto; }
      .rule { display: inline-block; width: 45mm; border-bottom: 1px solid; height: 1.2em; }
      .in-sum { text-align: right; font-weight: bold; }
      .titles p { margin: 1mm 0; white-space: pre-wrap; }
      .titles .name, .titles .object { font-weight: bold; }
      table { border-collapse: collapse; }
      table.lines { width: 100%; margin-top: 2mm; }
      table.lines th, table.lines td { border: 1px solid #000; padding: 1px 3px; vertical-align: top; }
      table.lines th { font-weight: normal; text-align: center; vertical-align: middle; }
      table.lines tr.numbers th { font-size: 8pt; }
      td.n { text-align: right; white-space: nowrap; }
      td.text { white-space: pre-wrap; }
      tr.section td { font-weight: bold; border-left: none; border-right: none; }
      tr.sum td { font-weight: bold; }
      table.totals { margin-top: 3mm; font-family: "Courier New", "Liberation Mono", monospace; font-weight: bold; }
      table.totals td { padding: 0 0 0 6mm; }
      table.totals td:first-child { padding-left: 0; }
      .memo { margin-top: 3mm; font-family: "Courier New", "Liberation Mono", monospace; white-space: pre-line; }
      .representatives { display: flex; justify-content: space-around; margin-top: 8mm; }
      .representatives div { width: 40%; }
      .representatives .rule { width: 60mm; margin-top: 6mm; }
    </style>
  </head>
</xsl:template>

<!-- An amount as the forms print it: thousands apart, two decimals with a comma; a blank value
     (a zero in the lines) stays blank. -->
<xsl:template name="money">
  <xsl:param name="value" select="."/>
  <xsl:variable name="v" select="translate(normalize-space($value), ',', '.')"/>
  <xsl:if test="$v != ''"><xsl:value-of select="format-number($v, '#&#160;##0,00', 'ru')"/></xsl:if>
</xsl:template>

<xsl:template name="money-cell">
  <xsl:param name="value"/>
  <td class="n"><xsl:call-template name="money"><xsl:with-param name="value" select="$value"/></xsl:call-template></td>
</xsl:template>

<!-- The approval blocks: "agreed" on the left (7-column forms), "approved" on the right. -->
<xsl:template name="approval">
  <xsl:param name="agreed" select="false()"/>
  <div class="sign">
    <xsl:if test="$agreed">
      <div><b>С О Г Л А С О В А Н О</b><br/><span class="rule"/><br/><xsl:value-of select="$date-line"/></div>
    </xsl:if>
    <div class="right"><b>У Т В Е Р Ж Д А Ю</b><br/><span class="rule"/><br/><xsl:value-of select="$date-line"/></div>
  </div>
</xsl:template>

<xsl:template name="number">
  <xsl:value-of select="normalize-space(sheader/DFL_NUMBER)"/>
</xsl:template>

<xsl:template name="titles">
  <div class="titles">
    <p class="name"><xsl:value-of select="normalize-space(sheader/DFL_NAME)"/></p>
    <p class="object"><xsl:value-of select="sheader/DFL_NAMEOBJECT"/></p>
    <p class="basis"><xsl:value-of select="sheader/DFL_OSNOV"/></p>
  </div>
</xsl:template>

<!-- The sections with their lines and sums. wide: the 13 columns of the 11-column forms, else
     the 7 columns. act: only the lines with an act quantity, and sections with such lines. -->
<xsl:template name="table">
  <xsl:param name="wide"/>
  <xsl:param name="act"/>
  <xsl:variable name="columns"><xsl:choose><xsl:when test="$wide">13</xsl:when><xsl:otherwise>7</xsl:otherwise></xsl:choose></xsl:variable>
  <table class="lines">
    <thead>
      <tr>
        <th rowspan="2">№ п.п.</th><th rowspan="2">Шифр ед. Расц.</th><th rowspan="2">Наименование работы</th>
        <th rowspan="2">Ед. Измерения</th><th rowspan="2">Кол-во</th>
        <xsl:choose>
          <xsl:when test="$wide"><th colspan="4">Стоимость единицы, руб</th><th colspan="4">Общая стоим., руб</th></xsl:when>
          <xsl:otherwise><th>Стоим. ед.</th><th>Общая стоим.</th></xsl:otherwise>
        </xsl:choose>
      </tr>
      <tr>
        <xsl:choose>
          <xsl:when test="$wide">
            <th>Всего</th><th>З/Пл.</th><th>Э/маш.</th><th>З/П маш.</th><th>Всего</th><th>З/Пл.</th><th>Э/маш.</th><th>З/П маш.</th>
          </xsl:when>
          <xsl:otherwise><th>Всего</th><th>Всего</th></xsl:otherwise>
        </xsl:choose>
      </tr>
      <tr class="numbers">
        <xsl:call-template name="column-numbers"><xsl:with-param name="last" select="number($columns)"/></xsl:call-template>
      </tr>
    </thead>
    <xsl:for-each select="razdel[works/WORK[not($act) or normalize-space(kolvo) != '']]">
      <tbody>
        <tr class="section">
          <td colspan="{$columns}">Раздел № <xsl:value-of select="normalize-space(razdelID)"/>
            <xsl:text>   </xsl:text><xsl:value-of select="razdelName"/></td>
        </tr>
        <xsl:for-each select="works/WORK[not($act) or normalize-space(kolvo) != '']">
          <tr>
            <td class="n"><xsl:value-of select="normalize-space(ID)"/></td>
            <td class="text"><xsl:value-of select="code"/></td>
            <td class="text"><xsl:value-of select="wname"/></td>
            <td class="text"><xsl:value-of select="edizm"/></td>
            <td class="n"><xsl:value-of select="normalize-space(kolvo)"/></td>
            <xsl:call-template name="money-cell"><xsl:with-param name="value" select="price/totprice"/></xsl:call-template>
            <xsl:if test="$wide">
              <xsl:call-template name="money-cell"><xsl:with-param name="value" select="price/zarpl"/></xsl:call-template>
              <xsl:call-template name="money-cell"><xsl:with-param name="value" select="price/eksplm"/></xsl:call-template>
              <xsl:call-template name="money-cell"><xsl:with-param name="value" select="price/zarplm"/></xsl:call-template>
            </xsl:if>
            <xsl:call-template name="money-cell"><xsl:with-param name="value" select="itogo/total"/></xsl:call-template>
            <xsl:if test="$wide">
              <xsl:call-template name="money-cell"><xsl:with-param name="value" select="itogo/zarpl"/></xsl:call-template>
              <xsl:call-template name="money-cell"><xsl:with-param name="value" select="itogo/eksplm"/></xsl:call-template>
              <xsl:call-template name="money-cell"><xsl:with-param name="value" select="itogo/zarplm"/></xsl:call-template>
            </xsl:if>
          </tr>
        </xsl:for-each>
        <tr class="sum">
          <td colspan="{$columns - 1 - 3 * number(boolean($wide))}">Итого по разделу № <xsl:value-of select="normalize-space(razdelID)"/></td>
          <xsl:call-template name="money-cell"><xsl:with-param name="value" select="r_total"/></xsl:call-template>
          <xsl:if test="$wide">
            <xsl:call-template name="money-cell"><xsl:with-param name="value" select="r_total_zpl"/></xsl:call-template>
            <xsl:call-template name="money-cell"><xsl:with-param name="value" select="r_total_emm"/></xsl:call-template>
            <xsl:call-template name="money-cell"><xsl:with-param name="value" select="r_total_zplemm"/></xsl:call-template>
          </xsl:if>
        </tr>
      </tbody>
    </xsl:for-each>
    <tbody>
      <tr class="sum">
        <td colspan="{$columns - 1 - 3 * number(boolean($wide))}">ИТОГО ПО РАЗДЕЛАМ:</td>
        <xsl:call-template name="money-cell"><xsl:with-param name="value" select="stotal"/></xsl:call-template>
        <xsl:if test="$wide">
          <xsl:call-template name="money-cell"><xsl:with-param name="value" select="szpltotal"/></xsl:call-template>
          <xsl:call-template name="money-cell"><xsl:with-param name="value" select="smashmehtotal"/></xsl:call-template>
          <xsl:call-template name="money-cell"><xsl:with-param name="value" select="szplmtotal"/></xsl:call-template>
        </xsl:if>
      </tr>
    </tbody>
  </table>
</xsl:template>

<xsl:template name="column-numbers">
  <xsl:param name="last"/>
  <xsl:param name="n" select="1"/>
  <th><xsl:value-of select="$n"/></th>
  <xsl:if test="$n &lt; $last">
    <xsl:call-template name="column-numbers">
      <xsl:with-param name="last" select="$last"/>
      <xsl:with-param name="n" select="$n + 1"/>
    </xsl:call-template>
  </xsl:if>
</xsl:template>

<xsl:template name="totals-row">
  <xsl:param name="text"/>
  <xsl:param name="rate"/>
  <xsl:param name="value"/>
  <tr><td><xsl:value-of select="$text"/></td><td class="n"><xsl:value-of select="$rate"/></td>
    <xsl:call-template name="money-cell"><xsl:with-param name="value" select="$value"/></xsl:call-template></tr>
</xsl:template>

<!-- The totals chain of the file: cramped conditions, market prices, charges, VAT, the total. -->
<xsl:template name="totals">
  <xsl:param name="total-text">ВСЕГО</xsl:param>
  <xsl:variable name="f" select="FOOTER"/>
  <table class="totals">
    <xsl:if test="$f/stesn">
      <tr><td colspan="3">СТЕСНЕННОСТЬ</td></tr>
      <xsl:for-each select="$f/stesn/row">
        <xsl:call-template name="totals-row">
          <xsl:with-param name="text" select="concat(' на стесненность ', name)"/>
          <xsl:with-param name="rate" select="normalize-space(value1)"/>
          <xsl:with-param name="value" select="value2"/>
        </xsl:call-template>
      </xsl:for-each>
      <xsl:for-each select="$f/stesn/totStesn">
        <tr><td colspan="2">
          <xsl:text> ИТОГО  З/П=</xsl:text><xsl:call-template name="money"><xsl:with-param name="value" select="zpl"/></xsl:call-template>
          <xsl:text>  Э/М=</xsl:text><xsl:call-template name="money"><xsl:with-param name="value" select="emm"/></xsl:call-template>
          <xsl:text> (</xsl:text><xsl:call-template name="money"><xsl:with-param name="value" select="zplemm"/></xsl:call-template>
          <xsl:text>)</xsl:text></td>
          <xsl:call-template name="money-cell"><xsl:with-param name="value" select="total"/></xsl:call-template></tr>
      </xsl:for-each>
    </xsl:if>
    <tr><td colspan="3">Рыночное удорожание работ</td></tr>
    <xsl:for-each select="$f/real_prices">
      <xsl:if test="kzpltotal">
        <xsl:call-template name="totals-row">
          <xsl:with-param name="text"> Заработная плата с к =</xsl:with-param>
          <xsl:with-param name="rate" select="kzpltotal"/><xsl:with-param name="value" select="zpltotal"/>
        </xsl:call-template>
      </xsl:if>
      <xsl:if test="kmatertotal">
        <xsl:call-template name="totals-row">
          <xsl:with-param name="text"> Материалы с к =</xsl:with-param>
          <xsl:with-param name="rate" select="kmatertotal"/><xsl:with-param name="value" select="matertotal"/>
        </xsl:call-template>
      </xsl:if>
      <xsl:if test="kemmtotal">
        <xsl:call-template name="totals-row">
          <xsl:with-param name="text"> Эксплуатация машин и механизмов с к =</xsl:with-param>
          <xsl:with-param name="rate" select="kemmtotal"/><xsl:with-param name="value" select="emmtotal"/>
        </xsl:call-template>
      </xsl:if>
      <xsl:call-template name="totals-row">
        <xsl:with-param name="text"> ИТОГО</xsl:with-param><xsl:with-param name="value" select="alltotal"/>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:for-each select="$f/nalogi/K">
      <xsl:call-template name="totals-row">
        <xsl:with-param name="text" select="name"/>
        <xsl:with-param name="rate" select="value"/><xsl:with-param name="value" select="value2"/>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:call-template name="totals-row">
      <xsl:with-param name="text" select="$total-text"/><xsl:with-param name="value" select="$f/ItogoPoSMete"/>
    </xsl:call-template>
  </table>
</xsl:template>

<xsl:template name="memo">
  <xsl:if test="normalize-space(memo) != ''">
    <div class="memo"><xsl:value-of select="memo"/></div>
  </xsl:if>
</xsl:template>

<xsl:template name="representatives">
  <xsl:for-each select="sheader">
    <div class="representatives">
      <div>ПРЕДСТАВИТЕЛЬ ЗАКАЗЧИКА:<br/><xsl:value-of select="DFL_ZAKAZCHIK"/><br/>
        <xsl:value-of select="concat(DFL_ZAK_DOL, ' ', DFL_ZAK_FIO)"/><br/><span class="rule"/></div>
      <div>ПРЕДСТАВИТЕЛЬ ПОДРЯДЧИКА:<br/><xsl:value-of select="DFL_PODRJADCHI"/><br/>
        <xsl:value-of select="concat(DFL_POD_DOL, ' ', DFL_POD_FIO)"/><br/><span class="rule"/></div>
    </div>
  </xsl:for-each>
</xsl:template>

</xsl:stylesheet>
