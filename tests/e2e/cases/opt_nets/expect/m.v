// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, d, c, x, y, z);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input d;
   input [1:0] c;
   output x;
   output [1:0] y;
   output z;
   reg [1:0] r;
   reg [1:0] w;
   reg q;
   reg s;
   reg t;
   wire _net_0;
   wire _net_1;
   wire _net_2;
   wire _net_3;
   wire _net_4;
   wire _net_5;
   wire _net_6;
   wire _net_7;

   assign x = (((_net_0))?d:1'b0);

   assign y = (((_net_0))|((d))?c:2'b0);

   assign z = (_net_1?b:1'b0)|
   ((_net_2)?d:1'b0)|
   (_net_4?a:1'b0);

   always @(posedge m_clock) begin
      if (((_net_5))|((d)))
        r <= (((_net_5))?c:2'b0)|
        (((d))?2'b10:2'b0);
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset)
        w <= 2'b0;
      else if (((_net_0))|((_net_7)))
        w <= (((_net_0))?c:2'b0)|
        (((_net_7))?2'b00:2'b0);
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset)
        q <= 1'b0;
      else
        q <= a;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset)
        s <= 1'b1;
      else if ((_net_6))
        s <= ((_net_6)?d:1'b0);
   end

   always @(posedge m_clock) begin
      t <= d;
   end

   assign _net_0 = (a&b);

   assign _net_1 = (((a)));

   assign _net_2 = ((~(a))&(b));

   assign _net_3 = (~(a))&~(b);

   assign _net_4 = (((_net_3)));

   assign _net_5 = (c==2'b01);

   assign _net_6 = (_net_0)&(d);

   assign _net_7 = (~a);
endmodule

module n(m_clock, p_reset, p, q, e, o, v, k);
   input m_clock;
   input p_reset;
   input p;
   input q;
   input e;
   output o;
   output v;
   wire _net_0;
   wire _net_1;
   wire _net_2;
   output k;

   assign o = (((_net_0))?p:1'b0);

   assign v = ((_net_2)?e:1'b0);

   assign _net_0 = (p|q);

   assign _net_1 = (p)&(q);

   assign _net_2 = _net_1&(e);

   assign k = e;
endmodule
