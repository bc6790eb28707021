<?xml version="1.0" encoding="UTF-8"?>
<!-- The estimate as its 11-column form: 13 columns, landscape. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<xsl:import href="tolvex-forms.xsl"/>

<xsl:template match="/smeta">
  <xsl:variable name="title"><xsl:text>Смета № </xsl:text><xsl:call-template name="number"/></xsl:variable>
  <html lang="ru">
    <xsl:call-template name="head">
      <xsl:with-param name="title" select="$title"/>
      <xsl:with-param name="page">landscape</xsl:with-param>
    </xsl:call-template>
    <body>
      <xsl:call-template name="approval"><xsl:with-param name="agreed" select="false()"/></xsl:call-template>
      <p class="in-sum">В сумме <xsl:call-template name="money"><xsl:with-param name="value" select="FOOTER/ItogoPoSMete"/></xsl:call-template></p>
      <h1><xsl:value-of select="$title"/></h1>
      <xsl:call-template name="titles"/>
      <xsl:call-template name="table">
        <xsl:with-param name="wide" select="true()"/>
        <xsl:with-param name="act" select="false()"/>
      </xsl:call-template>
      <xsl:call-template name="totals"/>
      <xsl:call-template name="memo"/>
      <xsl:call-template name="representatives"/>
    </body>
  </html>
</xsl:template>

</xsl:stylesheet>
