// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, d, go, x, y, z);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input [3:0] b;
   input c;
   input d;
   input go;
   output [3:0] x;
   output [3:0] y;
   output [3:0] z;
   reg [3:0] r;

   assign x = (((go))?a:4'b0)|
   ((((d)))?b:4'b0);

   assign y = (((go))?b:4'b0)|
   ((((d)))?a:4'b0);

   assign z = (((c))?a:4'b0)|
   (((~(c)))?b:4'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 4'b0;
      else if (((c)&(1'b1))) r <= b;
   end
endmodule
